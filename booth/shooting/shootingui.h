#pragma once

// Wires the main window's shooting controls to the shooting logic and
// redraws the preview, the strip, the template grid and the shot button
// from the logic's state.

#include "capturecamera.h"
#include "filechooser.h"
#include "shooting.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QWidget;

namespace kf {

class MainWindow;
class AdjustColorWindow;

// The open-file dialog of the import button.
class DialogFileChooser : public FileChooser {
public:
    explicit DialogFileChooser(QWidget* parent)
        : parent_(parent)
    {
    }
    QStringList choosePictures(const QString& title, const QString& filter) override;

private:
    QWidget* parent_;
};

class ShootingUi : public QObject {
    Q_OBJECT
public:
    // camera: the camera behind the window's Capture1 unless given (tests
    // give a fake).
    explicit ShootingUi(MainWindow& window, Camera* camera = nullptr);
    ~ShootingUi() override;

    Shooting& shooting() { return *shooting_; }
    MainWindow& window() { return window_; }
    void setFileChooser(std::unique_ptr<FileChooser> chooser);

    // The colour button: opens frmAdjustColor modally over the main window
    // for the photo shown. The panel open at the moment (or nullptr), for
    // tools that drive it.
    void openColourPanel();
    AdjustColorWindow* colourPanel() const { return panel_; }

private:
    // Message boxes go to whatever the window uses at the time.
    class WindowPrompts : public Prompts {
    public:
        explicit WindowPrompts(MainWindow& w)
            : w_(w)
        {
        }
        void inform(const QString& title, const QString& text, Icon icon) override;
        bool askYesNo(const QString& title, const QString& text) override;

    private:
        MainWindow& w_;
    };

    void wire();
    void syncPreview();
    void syncStrip();
    void syncTemplates();
    void syncShotButton();
    void showHint(const QString& text, int milliseconds);
    void stripPressed(int position, Qt::MouseButton button, int x, int y);

    MainWindow& window_;
    std::unique_ptr<Camera> ownCamera_;
    Camera* camera_;
    WindowPrompts prompts_;
    std::unique_ptr<Shooting> shooting_;
    std::unique_ptr<FileChooser> chooser_;
    QTimer hintTimer_;
    AdjustColorWindow* panel_ = nullptr;
};

} // namespace kf
