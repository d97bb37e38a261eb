#include "capturecamera.h"

#include "capturectrl.h"

namespace kf {

int CaptureCamera::GetDeviceNumber()
{
    return c_.GetDeviceNumber();
}

void CaptureCamera::SetIsChangeVideoFormat(bool change)
{
    c_.SetIsChangeVideoFormat(change);
}

void CaptureCamera::SetVideoFormat(int format)
{
    c_.SetVideoFormat(format);
}

void CaptureCamera::SelectDevice(int index)
{
    c_.SelectDevice(static_cast<std::int16_t>(index));
}

bool CaptureCamera::Capture()
{
    return c_.Capture();
}

void CaptureCamera::Run()
{
    c_.Run();
}

void CaptureCamera::Pause()
{
    c_.Pause();
}

void CaptureCamera::ShowFilterPropertyPage()
{
    c_.ShowFilterPropertyPage();
}

bool CaptureCamera::Grab(const QString& path, bool processed)
{
    return c_.Grab(path, processed);
}

bool CaptureCamera::SetFore(const QString& path)
{
    return c_.SetFore(path);
}

void CaptureCamera::SetEnableMergeFore(bool on)
{
    c_.SetEnableMergeFore(on);
}

bool CaptureCamera::EnableMergeFore() const
{
    return c_.EnableMergeFore();
}

} // namespace kf
