// The main window's shooting controls wired to the logic, driven through the
// real widgets with a fake camera: what the controls show after a shot, the
// strip's labels, the template grid, the colour panel window and Big.

#include "adjustcolorwindow.h"
#include "bigwindow.h"
#include "imageview.h"
#include "shell/mainwindow.h"
#include "shootingfixture.h"
#include "shootingtexts.h"
#include "shootingui.h"
#include "testsupport/fakeinstall.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kf;

namespace {

struct Window {
    test::FakeInstall install;
    BoothSession session;
    test::FakeCamera camera;
    test::QuietPrompts* prompts = nullptr;
    std::unique_ptr<MainWindow> w;
    ShootingUi* ui = nullptr;

    Window()
    {
        const QString cartoon = install.file(QStringLiteral("image/") + QString::fromUtf8(kCategoryTags[0]));
        for (int i = 0; i < 17; ++i)
            test::writeTemplate(cartoon, QStringLiteral("t%1.png").arg(i, 2, 10, QLatin1Char('0')),
                test::ShootingInstall::Kind::Png, QColor::fromHsv(i * 20, 200, 200), QSize(80, 60));
        QImage next(20, 20, QImage::Format_RGB32);
        next.fill(test::FakeInstall::colourFor("continue.gif"));
        next.save(install.file("data/continue.gif"), "PNG");
        session = BoothSession::forInstallation(install.path());
        session.shootFolder = *createShootFolder(install.path());
        w = std::make_unique<MainWindow>(session);
        auto p = std::make_unique<test::QuietPrompts>();
        prompts = p.get();
        w->setPrompts(std::move(p));
        ui = new ShootingUi(*w, &camera);
        w->startUp();
        w->show();
    }
    FrmMainUi& u() { return w->ui(); }
    const BoothState& s() { return ui->shooting().state(); }
};

} // namespace

TEST(ShootingWindow, ShotShowsInPreviewStripAndButton)
{
    Window win;
    auto& u = win.u();
    // Start-up: the first category in the grid, the placeholder in front.
    EXPECT_TRUE(u.picSub[0]->tag().endsWith("t00.png"));
    EXPECT_FALSE(u.picSub[14]->tag().isEmpty());
    EXPECT_TRUE(u.ixpEffect->isVisible());
    EXPECT_FALSE(u.Capture1->isVisible());
    u.cmdSubNext->press();
    EXPECT_TRUE(u.picSub[1]->tag().endsWith("t16.png"));
    EXPECT_TRUE(u.picSub[2]->tag().isEmpty());
    EXPECT_EQ(u.picSub[2]->file(), QString());

    win.w->onOpenCamera(); // what the start timer does
    EXPECT_TRUE(u.Capture1->isVisible());
    EXPECT_FALSE(u.ixpEffect->isVisible());

    u.ImagXpress1->setFocus();
    QTest::keyClick(u.ImagXpress1, Qt::Key_Return);
    const QString photo = photoName(win.session.shootFolder, 1);
    EXPECT_TRUE(u.ixpEffect->isVisible());
    EXPECT_FALSE(u.Capture1->isVisible());
    EXPECT_EQ(u.ixpEffect->tag(), photo);
    EXPECT_EQ(u.ixpPhoto[0]->tag(), photo);
    EXPECT_EQ(u.ixpPhoto[0]->file(), photo);
    EXPECT_TRUE(u.lbDraw[0]->isVisible());
    EXPECT_EQ(u.lbDraw[0]->text(), "1");
    EXPECT_FALSE(u.lbDraw[1]->isVisible());
    EXPECT_EQ(u.cmdShot->tag(), "Continue");
    EXPECT_EQ(u.cmdShot->picture().toImage().pixelColor(0, 0), test::FakeInstall::colourFor("continue.gif"));
    EXPECT_EQ(win.w->focusWidget(), u.ImagXpress1);

    u.cmdShot->press(); // Continue
    EXPECT_TRUE(u.Capture1->isVisible());
    EXPECT_EQ(u.lbDraw[1]->text(), "2");
    EXPECT_TRUE(u.Shape2->geometry().contains(u.ixpPhoto[1]->geometry()));

    // The strip menu's "删除" on photo 1, answered Yes.
    emit u.ixpPhoto[0]->mousePressed(Qt::LeftButton, Qt::NoModifier, 3, 3);
    EXPECT_EQ(u.ixpEffect->tag(), photo);
    u.mousemenu->actions()[0]->trigger();
    EXPECT_FALSE(QFile::exists(photo));
    EXPECT_TRUE(u.ixpPhoto[0]->file().isEmpty());
    EXPECT_TRUE(u.Capture1->isVisible());
    EXPECT_EQ(u.cmdShot->tag(), "Shot");

    // A placement button without a shown photo: the hint in the label.
    u.Image2[0]->press();
    EXPECT_TRUE(u.LabelMsg->isVisible());
    EXPECT_EQ(u.LabelMsg->text(), QString::fromUtf8(texts::kChoosePhotoToEdit));
}

TEST(ShootingWindow, ColourPanelAppliesRecordsAndResets)
{
    Window win;
    auto& u = win.u();
    win.w->onOpenCamera();
    u.cmdShot->press();
    const QString photo = photoName(win.session.shootFolder, 1);
    const QImage before = QImage(photo);

    bool ran = false;
    QTimer::singleShot(0, [&] {
        AdjustColorWindow* panel = win.ui->colourPanel();
        ASSERT_NE(panel, nullptr);
        ran = true;
        EXPECT_EQ(panel->pos(), AdjustColorWindow::screenPlace());
        EXPECT_FALSE(panel->mask().isEmpty());
        EXPECT_TRUE(QFile::exists(colourBackup(photo)));
        panel->HScroll[0]->setValue(30);
        EXPECT_EQ(panel->Text1[0]->text(), "30");
        EXPECT_NE(QImage(photo), before);
        EXPECT_NE(u.ixpPhoto[0]->picture().image(), QImage()); // the thumbnail reloaded
        panel->Text1[4]->clear();
        QTest::keyClicks(panel->Text1[4], "-250"); // clamped
        EXPECT_EQ(panel->HScroll[4]->value(), -100);
        panel->Text1[2]->setText("x");
        QTest::keyClicks(panel->Text1[2], "y"); // not a number: nothing
        EXPECT_EQ(panel->HScroll[2]->value(), 0);
        panel->btnReset->click();
        EXPECT_EQ(QImage(photo), before);
        panel->HScroll[1]->setValue(-20);
        // A failure while applying: told, and the pointer is normal again.
        QFile::remove(colourBackup(photo));
        panel->HScroll[1]->setValue(-10);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(win.prompts->informed.size(), 1);
        EXPECT_TRUE(panel->isEnabled());
        panel->btnCancel->click(); // OK
    });
    u.cmdadjust->press();
    ASSERT_TRUE(ran) << win.prompts->informed.join(" ").toStdString();
    EXPECT_EQ(win.s().table.slot(1).colourSteps, "0@-10@0@0@0");
    EXPECT_EQ(win.ui->colourPanel(), nullptr);

    // Without a shown photo the panel does not open.
    u.cmdShot->press(); // Continue
    u.cmdadjust->press();
    EXPECT_EQ(win.prompts->informed.last(), QString::fromUtf8(texts::kChoosePhotoForColour));
}

TEST(BigWindow, CentredOnItsOpenerAndClosedByAClick)
{
    EXPECT_EQ(BigWindow::placeFor(QRect(100, 50, 744, 516)), QRect(258, 148, 427, 320));
    QWidget opener;
    opener.setGeometry(100, 100, 744, 516);
    opener.show();
    BigWindow big(&opener);
    test::FakeInstall install;
    ASSERT_TRUE(big.setFile(install.file("data/Video.jpg")));
    big.show();
    EXPECT_EQ(big.size(), QSize(427, 320));
    EXPECT_EQ(big.view()->geometry(), QRect(0, 0, 427, 320));
    QTest::mouseClick(big.view(), Qt::LeftButton);
    EXPECT_FALSE(big.isVisible());
}
