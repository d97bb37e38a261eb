// The operations of the video pane that reach the Grab filter. Each one asks
// the element for its interface afresh and acts only while the pipeline
// runs; otherwise it does nothing and leaves its out-arguments alone.
#include "bitmapfile.h"
#include "capturecore.h"
#include "imagegrabber.h"

#include <QFile>
#include <vector>

namespace capture {

namespace {
QByteArray narrow(const QString& file)
{
    return QFile::encodeName(file);
}
} // namespace

grab::IImageGrabber* CaptureCore::grabber() const
{
    if (!grab_)
        return nullptr;
    grab::IImageGrabber* g = nullptr;
    if (!g_object_class_find_property(G_OBJECT_GET_CLASS(grab_), grab::kGrabberProperty))
        return nullptr;
    g_object_get(grab_, grab::kGrabberProperty, &g, nullptr);
    return g;
}

grab::IImageGrabber* CaptureCore::runningGrabber() const
{
    return isRunning() ? grabber() : nullptr;
}

void CaptureCore::SetMergeFore(bool on)
{
    if (auto* g = runningGrabber())
        g->SetMergeFore(on ? 1 : 0);
}

void CaptureCore::SetRGBRange(std::int16_t red, std::int16_t green, std::int16_t blue)
{
    if (auto* g = runningGrabber())
        g->SetRGBRange(red, green, blue);
}

void CaptureCore::SetCbCrRange(std::int16_t cbMin, std::int16_t cbMax, std::int16_t crMin, std::int16_t crMax)
{
    if (auto* g = runningGrabber())
        g->SetCbCrRange(cbMin, cbMax, crMin, crMax);
}

void CaptureCore::SetSpecialEffect(std::int32_t effect)
{
    if (auto* g = runningGrabber())
        g->SetSpecialEffect(effect);
}

void CaptureCore::SetBackground(const QString& file)
{
    if (auto* g = runningGrabber())
        g->SetBackground(narrow(file).constData());
}

void CaptureCore::SetMask(const QString& file)
{
    if (auto* g = runningGrabber())
        g->SetMask(narrow(file).constData());
}

void CaptureCore::GetImageSize(std::int32_t& width, std::int32_t& height, std::int32_t& bitCount)
{
    auto* g = runningGrabber();
    std::int32_t w = 0, h = 0, b = 0;
    if (g && g->GetImageSize(&w, &h, &b) == grab::S_OK) {
        width = w;
        height = h;
        bitCount = b;
    }
}

void CaptureCore::SetIsWipe(bool on)
{
    if (auto* g = runningGrabber())
        g->SetIsWipe(on ? 1 : 0);
}

void CaptureCore::WipeWay(bool isYcb)
{
    if (auto* g = runningGrabber())
        g->WipeWay(isYcb ? 1 : 0);
}

GrabError CaptureCore::Grab(const QString& file, bool processed)
{
    CallGuard guard(*this);
    if (!isRunning())
        return GrabError::NotRunning;
    auto* g = grabber();
    if (!g)
        return GrabError::NoGrabber;
    std::int32_t size = 0;
    if (g->GetBufferSize(&size) != grab::S_OK || size <= 0)
        return GrabError::NoFrame;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(size), 0);
    // Waits for the next frame. A copy that could not be made (the pipeline
    // left the playing state, the taking image is shown, no frame came)
    // writes no file rather than one of unfilled bytes.
    if (g->CopyFrame(block.data(), 1, processed ? 1 : 0) != grab::S_OK || tearingDown_.load())
        return GrabError::NoFrame;
    grab::BitmapInfoHeader info {};
    if (g->GetBitmapInfoHeader(&info) != grab::S_OK)
        return GrabError::NoFrame;
    switch (writeBitmapFile(file, reinterpret_cast<const std::uint8_t*>(&info), block.data(), block.size())) {
    case BitmapWriteResult::Written:
        return GrabError::None;
    case BitmapWriteResult::CannotCreate:
        return GrabError::CannotCreateFile;
    case BitmapWriteResult::CannotWrite:
        break;
    }
    return GrabError::CannotWriteFile;
}

void CaptureCore::PixelSample()
{
    CallGuard guard(*this);
    if (auto* g = runningGrabber())
        g->PixelSample();
}

void CaptureCore::GetSample(std::int32_t& red, std::int32_t& green, std::int32_t& blue)
{
    auto* g = runningGrabber();
    grab::ColourSample s {};
    if (g && g->GetSample(&s) == grab::S_OK) {
        red = s.Red;
        green = s.Green;
        blue = s.Blue;
    }
}

void CaptureCore::SetSample(std::int16_t red, std::int16_t green, std::int16_t blue)
{
    if (auto* g = runningGrabber())
        g->SetSample(grab::ColourSample {red, green, blue});
}

void CaptureCore::SetIsTaking(bool on)
{
    if (auto* g = runningGrabber())
        g->SetIsTaking(on ? 1 : 0);
}

void CaptureCore::SetTakingImage(const QString& file, bool mirror)
{
    if (auto* g = runningGrabber())
        g->SetTakingImage(narrow(file).constData(), mirror ? 1 : 0);
}

bool CaptureCore::SetFore(const QString& file)
{
    auto* g = runningGrabber();
    return g && g->SetFore(narrow(file).constData()) == grab::S_OK;
}

} // namespace capture
