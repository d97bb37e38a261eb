#include "capturectrl.h"

#include "camerasettingsdialog.h"

#include <QApplication>
#include <QMessageBox>

namespace capture {

CaptureCtrl::CaptureCtrl(QWidget* parent)
    : QWidget(parent)
    , pane_(new VideoPane(this))
{
    // The pane's own size before the host sizes the control: 221 x 181
    // dialog units of the 10-point system font, about 331 x 294 pixels.
    resize(331, 294);
    pane_->setGeometry(rect());
    pane_->show();
}

CaptureCtrl::~CaptureCtrl()
{
    // The pane goes first: it ends the pipeline while the control is whole.
    delete pane_;
    pane_ = nullptr;
}

void CaptureCtrl::resizeEvent(QResizeEvent*)
{
    pane_->setGeometry(rect());
}

void CaptureCtrl::SetEnableMergeFore(bool value)
{
    enableMergeFore_ = value;
    core().SetMergeFore(value);
    modified_ = true;
}

void CaptureCtrl::ShowFilterPropertyPage()
{
    CameraControls* controls = core().controls();
    if (!controls)
        return;
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : window();
    CameraSettingsDialog dialog(*controls, QString::fromStdString(core().deviceName()), owner);
    dialog.exec();
}

bool CaptureCtrl::SetImageProperty(std::int32_t Property, std::int32_t lValue, std::int32_t Flags)
{
    return core().SetImageProperty(Property, lValue, Flags);
}

bool CaptureCtrl::GetImageProperty(std::int32_t Property, std::int32_t& lValue, std::int32_t& Flags)
{
    return core().GetImageProperty(Property, lValue, Flags);
}

bool CaptureCtrl::GetImagePropertyRange(std::int32_t Property, std::int32_t& pMin, std::int32_t& pMax,
    std::int32_t& pSteppingDelta, std::int32_t& pDefault, std::int32_t& pCapsFlags)
{
    return core().GetImagePropertyRange(Property, pMin, pMax, pSteppingDelta, pDefault, pCapsFlags);
}

void CaptureCtrl::Run()
{
    core().Run();
}

void CaptureCtrl::Pause()
{
    core().Pause();
}

void CaptureCtrl::Stop()
{
    core().Stop();
}

bool CaptureCtrl::SetRGBRange(std::int16_t red, std::int16_t green, std::int16_t blue)
{
    core().SetRGBRange(red, green, blue);
    return true;
}

bool CaptureCtrl::SetCbCrRange(std::int16_t cbMin, std::int16_t cbMax, std::int16_t crMin, std::int16_t crMax)
{
    core().SetCbCrRange(cbMin, cbMax, crMin, crMax);
    return true;
}

void CaptureCtrl::SetSpecialEffect(std::int32_t spe)
{
    core().SetSpecialEffect(spe);
}

void CaptureCtrl::SetBackground(const QString& pFileName)
{
    core().SetBackground(pFileName);
}

void CaptureCtrl::SetMask(const QString& pFileName)
{
    core().SetMask(pFileName);
}

void CaptureCtrl::ReSize(std::int16_t Width, std::int16_t Height)
{
    core().ReSize(Width, Height);
}

void CaptureCtrl::GetImageSize(std::int32_t& Width, std::int32_t& Height, std::int32_t& BitCount)
{
    core().GetImageSize(Width, Height, BitCount);
}

void CaptureCtrl::SetIsCapture(bool IsCapture)
{
    core().SetIsCapture(IsCapture);
}

void CaptureCtrl::SetIsWipe(bool IsWipe)
{
    core().SetIsWipe(IsWipe);
}

void CaptureCtrl::WipeWay(bool IsYcb)
{
    core().WipeWay(IsYcb);
}

bool CaptureCtrl::Grab(const QString& lpSaveFileName, bool IsProcessed, GrabError* error)
{
    const GrabError e = core().Grab(lpSaveFileName, IsProcessed);
    if (error)
        *error = e;
    return e == GrabError::None;
}

void CaptureCtrl::PixelSample()
{
    core().PixelSample();
}

void CaptureCtrl::SetVideoFormat(std::int32_t VideoFormat)
{
    core().SetVideoFormat(VideoFormat);
}

void CaptureCtrl::SetIsChangeVideoFormat(bool IsChangeVideoFormat)
{
    core().SetIsChangeVideoFormat(IsChangeVideoFormat);
}

bool CaptureCtrl::Capture()
{
    return core().Capture();
}

std::int16_t CaptureCtrl::GetDeviceNumber()
{
    return core().GetDeviceNumber();
}

void CaptureCtrl::SelectDevice(std::int16_t DeviceIndex)
{
    core().SelectDevice(DeviceIndex);
}

void CaptureCtrl::GetSample(std::int32_t& red, std::int32_t& green, std::int32_t& blue)
{
    core().GetSample(red, green, blue);
}

void CaptureCtrl::SetSample(std::int16_t red, std::int16_t green, std::int16_t blue)
{
    core().SetSample(red, green, blue);
}

void CaptureCtrl::SetIsTaking(bool IsTaking)
{
    core().SetIsTaking(IsTaking);
}

void CaptureCtrl::SetTakingImage(const QString& lpTakingFileName, bool IsMirror)
{
    core().SetTakingImage(lpTakingFileName, IsMirror);
}

bool CaptureCtrl::SetFore(const QString& lpForeFileName)
{
    return core().SetFore(lpForeFileName);
}

void CaptureCtrl::AboutBox()
{
    QMessageBox::about(this, QString::fromUtf8("关于 Capture"),
        QString::fromUtf8("Capture Control，版本 %1").arg(identity::kControlVersion));
}

bool CaptureCtrl::isRunning() const
{
    return core().isRunning();
}

const CaptureSettings& CaptureCtrl::settings() const
{
    return core().settings();
}

} // namespace capture
