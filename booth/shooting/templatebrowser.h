#pragma once

// The template grid: the templates of one category folder, fifteen cells a
// page. Each cell holds the full path of its template (its tag) and a small
// picture decoded from the scrambled file for the moment of loading.

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

namespace kf {

inline constexpr int kTemplateCells = 15;

struct TemplateCell {
    QString path; // empty = empty cell
    QImage picture;
};

class TemplateBrowser {
public:
    // templateRoot: AppFolder/image; cellBox: the size a cell's picture is
    // decoded at.
    TemplateBrowser(QString templateRoot, QSize cellBox);

    // Showing a category: the folder image/<tag>/, the list of its "*.JPG"
    // and "*.png" files (any letter case) in name order, the first page.
    void showCategory(const QString& tag);
    // Next page: nothing when there are fewer entries than page x 15;
    // otherwise the following entries (possibly none) and page + 1.
    bool nextPage();
    // Previous page: nothing on page 1.
    bool previousPage();

    int page() const { return page_; }
    const QString& categoryFolder() const { return folder_; }
    const QStringList& entries() const { return entries_; }
    const std::array<TemplateCell, kTemplateCells>& cells() const { return cells_; }
    QString cellPath(int index) const;

    // Name order of the template list.
    static QStringList listTemplates(const QString& folder);

private:
    void loadCells(int first, int count);

    QString root_;
    QSize box_;
    QString folder_;
    QStringList entries_;
    int page_ = 1;
    std::array<TemplateCell, kTemplateCells> cells_ {};
};

} // namespace kf
