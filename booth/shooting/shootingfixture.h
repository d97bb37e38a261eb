#pragma once

// Test fixtures of the shooting logic: a camera that writes numbered test
// frames, quiet message boxes, and a small installation with a canvas and
// scrambled templates.

#include "camera.h"
#include "shell/prompts.h"
#include "shell/session.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

namespace kf::test {

class FakeCamera : public Camera {
public:
    int devices = 1;
    bool failGrab = false;
    bool built = false;
    bool running = false;
    bool merge = false;
    int frames = 0; // frames grabbed so far
    QSize frameSize {640, 480};
    QStringList calls;
    QImage fore; // the picture SetFore read
    QString forePath;

    // The picture of frame k (what the k-th Grab writes).
    QImage frame(int k) const;

    int GetDeviceNumber() override;
    void SetIsChangeVideoFormat(bool change) override;
    void SetVideoFormat(int format) override;
    void SelectDevice(int index) override;
    bool Capture() override;
    void Run() override;
    void Pause() override;
    void ShowFilterPropertyPage() override;
    bool Grab(const QString& path, bool processed) override;
    bool SetFore(const QString& path) override;
    void SetEnableMergeFore(bool on) override;
    bool EnableMergeFore() const override { return merge; }
};

class QuietPrompts : public Prompts {
public:
    bool answer = true;
    QStringList informed; // texts
    QStringList asked;
    void inform(const QString& title, const QString& text, Icon icon) override;
    bool askYesNo(const QString& title, const QString& text) override;
};

// An application folder with data/back.jpg, the six template folders and a
// run folder.
class ShootingInstall {
public:
    ShootingInstall();
    const BoothSession& session() const { return session_; }
    BoothSession& session() { return session_; }
    QString root() const { return dir_.path(); }
    QString categoryFolder(int index) const;

    // A scrambled template: a decoration frame of colour `colour` around a
    // window where the photo shows (transparent PNG, or white JPEG).
    enum class Kind { Png, Jpeg };
    QString addTemplate(
        int category, const QString& name, Kind kind, QColor colour = Qt::red, QSize size = QSize(640, 480));
    // count small PNG templates t00.png, t01.png, ...
    void addTemplates(int category, int count);

private:
    QTemporaryDir dir_;
    BoothSession session_;
};

// Writes a scrambled template of templatePicture(kind, colour, size) into folder.
QString writeTemplate(const QString& folder, const QString& name, ShootingInstall::Kind kind, QColor colour,
    QSize size = QSize(640, 480));

// The plain decoration picture addTemplate writes (before scrambling).
QImage templatePicture(ShootingInstall::Kind kind, QColor colour, QSize size = QSize(640, 480));

QByteArray fileBytes(const QString& path);

} // namespace kf::test
