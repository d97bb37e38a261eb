#include "templatebrowser.h"

#include "shell/appfolder.h"
#include "templatefile.h"

#include <QDir>
#include <algorithm>

namespace kf {

TemplateBrowser::TemplateBrowser(QString templateRoot, QSize cellBox)
    : root_(std::move(templateRoot))
    , box_(cellBox)
{
}

QStringList TemplateBrowser::listTemplates(const QString& folder)
{
    // Letter case matters neither for the pattern nor for the order.
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    names.erase(std::remove_if(names.begin(), names.end(),
                    [](const QString& n) {
                        return !n.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive)
                            && !n.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
                    }),
        names.end());
    return names;
}

void TemplateBrowser::showCategory(const QString& tag)
{
    folder_ = resolvePath(root_, tag);
    entries_ = folder_.isEmpty() ? QStringList() : listTemplates(folder_);
    const int n = std::min<int>(int(entries_.size()), kTemplateCells);
    loadCells(0, n);
    page_ = 1;
}

bool TemplateBrowser::nextPage()
{
    const int m = int(entries_.size());
    if (m < page_ * kTemplateCells)
        return false;
    int k = kTemplateCells;
    if (m < page_ * kTemplateCells + kTemplateCells)
        k = m - page_ * kTemplateCells;
    loadCells(page_ * kTemplateCells, k);
    ++page_;
    return true;
}

bool TemplateBrowser::previousPage()
{
    if (page_ == 1)
        return false;
    loadCells((page_ - 2) * kTemplateCells, kTemplateCells);
    --page_;
    return true;
}

QString TemplateBrowser::cellPath(int index) const
{
    if (index < 0 || index >= kTemplateCells)
        return {};
    return cells_[static_cast<std::size_t>(index)].path;
}

void TemplateBrowser::loadCells(int first, int count)
{
    for (int i = 0; i < kTemplateCells; ++i) {
        TemplateCell& cell = cells_[static_cast<std::size_t>(i)];
        cell = TemplateCell {};
        const int entry = first + i;
        if (i >= count || entry < 0 || entry >= entries_.size())
            continue;
        const QString path = QDir(folder_).filePath(entries_[entry]);
        // A template that cannot be read is not offered: its cell stays empty.
        QImage picture = loadTemplate(path, box_);
        if (picture.isNull())
            continue;
        cell.path = path;
        cell.picture = std::move(picture);
    }
}

} // namespace kf
