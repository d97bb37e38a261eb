// Capture: the live-camera control. A host window embeds one CaptureCtrl; it
// always holds its video pane, in which the live picture is painted scaled
// to the control, and offers the members of its dispatch interface with
// their identifiers. Members run on the host's user-interface thread and
// never throw: failures are reported as false results or not at all.
#pragma once

#include "capturecore.h"
#include "videopane.h"

#include <QString>
#include <QWidget>
#include <cstdint>

namespace capture {

// Dispatch identifiers of the control's members.
enum class DispId : std::int32_t {
    EnableMergeFore = 1,
    ShowFilterPropertyPage = 2,
    SetImageProperty = 3,
    GetImageProperty = 4,
    GetImagePropertyRange = 5,
    Run = 6,
    Pause = 7,
    Stop = 8,
    SetRGBRange = 9,
    SetCbCrRange = 10,
    SetSpecialEffect = 11,
    SetBackground = 12,
    SetMask = 13,
    ReSize = 14,
    GetImageSize = 15,
    SetIsCapture = 16,
    SetIsWipe = 17,
    WipeWay = 18,
    Grab = 19,
    PixelSample = 20,
    SetVideoFormat = 21,
    SetIsChangeVideoFormat = 22,
    Capture = 23,
    GetDeviceNumber = 24,
    SelectDevice = 25,
    GetSample = 26,
    SetSample = 27,
    SetIsTaking = 28,
    SetTakingImage = 29,
    SetFore = 30,
    AboutBox = -552,
};

// Identity of the control, its type library, interfaces and property page.
namespace identity {
inline constexpr char kControlClassName[] = "CCaptureCtrl";
inline constexpr char kControlClassId[] = "{D4137900-7D57-4001-B67B-EB52E9CAF8BC}";
inline constexpr char kCoclassName[] = "Capture";
inline constexpr char kProgId[] = "CAPTURE.CaptureCtrl.1";
inline constexpr char kUserTypeName[] = "Capture Control";
inline constexpr std::uint32_t kMiscStatus = 0x20191;
inline constexpr char kTypeLibName[] = "CAPTURELib";
inline constexpr char kTypeLibId[] = "{7C24FA46-F4EC-49CD-BA19-D4FEBE8C9CAB}";
inline constexpr char kTypeLibVersion[] = "1.0";
inline constexpr char kDispatchInterfaceName[] = "_DCapture";
inline constexpr char kDispatchInterfaceId[] = "{9A47AE3F-A0B8-49EB-9C8F-97336FBAE9CE}";
inline constexpr char kDispatchInterfaceHelp[] = "Dispatch interface for Capture Control";
inline constexpr char kEventInterfaceName[] = "_DCaptureEvents";
inline constexpr char kEventInterfaceId[] = "{16F73A20-0F32-4783-9DDE-1254F03104F7}";
inline constexpr char kEventInterfaceHelp[] = "Event interface for Capture Control";
inline constexpr char kPropPageClassName[] = "CCapturePropPage";
inline constexpr char kPropPageClassId[] = "{FDC8B25C-F7BA-4963-9607-C7BF487731C0}";
inline constexpr char kPropPageProgId[] = "CAPTURE.CapturePropPage.1";
inline constexpr char kPropPageName[] = "Capture Property Page";
inline constexpr char kPropPageCaption[] = "General";
// The only thing the control keeps of its persistent state: its version.
inline constexpr char kControlVersion[] = "1.0";
} // namespace identity

// The members of the dispatch interface in identifier order (AboutBox last).
class DCapture {
public:
    virtual bool EnableMergeFore() const = 0; // 1 (read)
    virtual void SetEnableMergeFore(bool value) = 0; // 1 (write)
    virtual void ShowFilterPropertyPage() = 0; // 2
    virtual bool SetImageProperty(std::int32_t Property, std::int32_t lValue, std::int32_t Flags) = 0; // 3
    virtual bool GetImageProperty(std::int32_t Property, std::int32_t& lValue, std::int32_t& Flags) = 0; // 4
    virtual bool GetImagePropertyRange(std::int32_t Property, std::int32_t& pMin, std::int32_t& pMax,
        std::int32_t& pSteppingDelta, std::int32_t& pDefault,
        std::int32_t& pCapsFlags)
        = 0; // 5
    virtual void Run() = 0; // 6
    virtual void Pause() = 0; // 7
    virtual void Stop() = 0; // 8
    virtual bool SetRGBRange(std::int16_t red, std::int16_t green, std::int16_t blue) = 0; // 9
    virtual bool SetCbCrRange(std::int16_t cbMin, std::int16_t cbMax, std::int16_t crMin,
        std::int16_t crMax)
        = 0; // 10
    virtual void SetSpecialEffect(std::int32_t spe) = 0; // 11
    virtual void SetBackground(const QString& pFileName) = 0; // 12
    virtual void SetMask(const QString& pFileName) = 0; // 13
    virtual void ReSize(std::int16_t Width, std::int16_t Height) = 0; // 14
    virtual void GetImageSize(std::int32_t& Width, std::int32_t& Height, std::int32_t& BitCount) = 0; // 15
    virtual void SetIsCapture(bool IsCapture) = 0; // 16
    virtual void SetIsWipe(bool IsWipe) = 0; // 17
    virtual void WipeWay(bool IsYcb) = 0; // 18
    // 19: true when the file was written. `error` (optional) tells why not;
    // GrabError::CannotCreateFile / CannotWriteFile are the errors the call
    // raises to its host, the others the plain false result.
    virtual bool Grab(const QString& lpSaveFileName, bool IsProcessed, GrabError* error = nullptr) = 0;
    virtual void PixelSample() = 0; // 20
    virtual void SetVideoFormat(std::int32_t VideoFormat) = 0; // 21
    virtual void SetIsChangeVideoFormat(bool IsChangeVideoFormat) = 0; // 22
    virtual bool Capture() = 0; // 23
    virtual std::int16_t GetDeviceNumber() = 0; // 24
    virtual void SelectDevice(std::int16_t DeviceIndex) = 0; // 25
    virtual void GetSample(std::int32_t& red, std::int32_t& green, std::int32_t& blue) = 0; // 26
    virtual void SetSample(std::int16_t red, std::int16_t green, std::int16_t blue) = 0; // 27
    virtual void SetIsTaking(bool IsTaking) = 0; // 28
    virtual void SetTakingImage(const QString& lpTakingFileName, bool IsMirror) = 0; // 29
    virtual bool SetFore(const QString& lpForeFileName) = 0; // 30
    virtual void AboutBox() = 0; // -552

protected:
    ~DCapture() = default;
};

class CaptureCtrl : public QWidget, public DCapture {
public:
    explicit CaptureCtrl(QWidget* parent = nullptr);
    ~CaptureCtrl() override;

    bool EnableMergeFore() const override { return enableMergeFore_; }
    void SetEnableMergeFore(bool value) override;
    void ShowFilterPropertyPage() override;
    bool SetImageProperty(std::int32_t Property, std::int32_t lValue, std::int32_t Flags) override;
    bool GetImageProperty(std::int32_t Property, std::int32_t& lValue, std::int32_t& Flags) override;
    bool GetImagePropertyRange(std::int32_t Property, std::int32_t& pMin, std::int32_t& pMax,
        std::int32_t& pSteppingDelta, std::int32_t& pDefault, std::int32_t& pCapsFlags) override;
    void Run() override;
    void Pause() override;
    void Stop() override;
    bool SetRGBRange(std::int16_t red, std::int16_t green, std::int16_t blue) override;
    bool SetCbCrRange(
        std::int16_t cbMin, std::int16_t cbMax, std::int16_t crMin, std::int16_t crMax) override;
    void SetSpecialEffect(std::int32_t spe) override;
    void SetBackground(const QString& pFileName) override;
    void SetMask(const QString& pFileName) override;
    void ReSize(std::int16_t Width, std::int16_t Height) override;
    void GetImageSize(std::int32_t& Width, std::int32_t& Height, std::int32_t& BitCount) override;
    void SetIsCapture(bool IsCapture) override;
    void SetIsWipe(bool IsWipe) override;
    void WipeWay(bool IsYcb) override;
    bool Grab(const QString& lpSaveFileName, bool IsProcessed, GrabError* error = nullptr) override;
    void PixelSample() override;
    void SetVideoFormat(std::int32_t VideoFormat) override;
    void SetIsChangeVideoFormat(bool IsChangeVideoFormat) override;
    bool Capture() override;
    std::int16_t GetDeviceNumber() override;
    void SelectDevice(std::int16_t DeviceIndex) override;
    void GetSample(std::int32_t& red, std::int32_t& green, std::int32_t& blue) override;
    void SetSample(std::int16_t red, std::int16_t green, std::int16_t blue) override;
    void SetIsTaking(bool IsTaking) override;
    void SetTakingImage(const QString& lpTakingFileName, bool IsMirror) override;
    bool SetFore(const QString& lpForeFileName) override;
    void AboutBox() override;

    // Beyond the dispatch interface, for hosts, tools and tests.
    bool isModified() const { return modified_; } // set by writing EnableMergeFore
    bool isRunning() const; // the running test
    const CaptureSettings& settings() const; // the stored settings and device list
    VideoPane* videoPane() const { return pane_; } // the pane (frames, statistics, engine)

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    CaptureCore& core() const { return pane_->core(); }

    VideoPane* pane_;
    bool enableMergeFore_ = false;
    bool modified_ = false;
};

} // namespace capture
