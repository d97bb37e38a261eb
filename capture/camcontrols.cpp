#include "camcontrols.h"

#include "formats.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gst/video/colorbalance.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace capture {

const CameraControl* CameraControls::byProcAmp(std::int32_t property) const
{
    for (const auto& c : controls())
        if (c.procAmp == property)
            return &c;
    return nullptr;
}

int procAmpOfLabel(const std::string& label)
{
    std::string key;
    for (char ch : label)
        if (std::isalnum(static_cast<unsigned char>(ch)))
            key += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    static const std::pair<const char*, int> names[] = {
        {"BRIGHTNESS", ProcAmp_Brightness},
        {"CONTRAST", ProcAmp_Contrast},
        {"HUE", ProcAmp_Hue},
        {"SATURATION", ProcAmp_Saturation},
        {"SHARPNESS", ProcAmp_Sharpness},
        {"GAMMA", ProcAmp_Gamma},
        {"WHITEBALANCE", ProcAmp_WhiteBalance},
        {"WHITEBALANCETEMPERATURE", ProcAmp_WhiteBalance},
        {"BACKLIGHTCOMPENSATION", ProcAmp_BacklightCompensation},
        {"GAIN", ProcAmp_Gain},
    };
    for (const auto& [n, p] : names)
        if (key == n)
            return p;
    return -1;
}

namespace {

int xioctl(int fd, unsigned long request, void* arg)
{
    int r;
    do
        r = ioctl(fd, request, arg);
    while (r == -1 && errno == EINTR);
    return r;
}

// V4L2 user controls, read from the device node. The node is opened a
// second time beside the source element; controls are per device, so a
// change here reaches the running stream.
class V4l2Controls final : public CameraControls {
public:
    explicit V4l2Controls(int fd)
        : fd_(fd)
    {
        load();
    }
    ~V4l2Controls() override { ::close(fd_); }
    const std::vector<CameraControl>& controls() const override { return controls_; }
    bool empty() const { return controls_.empty(); }

    bool get(const CameraControl& c, std::int32_t& value) override
    {
        v4l2_control ctl {};
        ctl.id = c.id;
        if (xioctl(fd_, VIDIOC_G_CTRL, &ctl) != 0)
            return false;
        value = ctl.value;
        return true;
    }
    bool set(const CameraControl& c, std::int32_t value) override
    {
        v4l2_control ctl {};
        ctl.id = c.id;
        ctl.value = std::clamp(value, c.minimum, c.maximum);
        return xioctl(fd_, VIDIOC_S_CTRL, &ctl) == 0;
    }
    bool getAuto(const CameraControl& c, bool& on) override
    {
        const std::uint32_t a = autoOf(c.id);
        v4l2_control ctl {};
        ctl.id = a;
        if (!a || xioctl(fd_, VIDIOC_G_CTRL, &ctl) != 0)
            return false;
        on = ctl.value != 0;
        return true;
    }
    bool setAuto(const CameraControl& c, bool on) override
    {
        const std::uint32_t a = autoOf(c.id);
        if (!a)
            return false;
        v4l2_control ctl {};
        ctl.id = a;
        ctl.value = on ? 1 : 0;
        return xioctl(fd_, VIDIOC_S_CTRL, &ctl) == 0;
    }

private:
    static std::uint32_t autoOf(std::uint32_t id)
    {
        switch (id) {
        case V4L2_CID_WHITE_BALANCE_TEMPERATURE:
            return V4L2_CID_AUTO_WHITE_BALANCE;
        case V4L2_CID_GAIN:
            return V4L2_CID_AUTOGAIN;
        case V4L2_CID_HUE:
            return V4L2_CID_HUE_AUTO;
        default:
            return 0;
        }
    }
    static int procAmpOf(std::uint32_t id)
    {
        switch (id) {
        case V4L2_CID_BRIGHTNESS:
            return ProcAmp_Brightness;
        case V4L2_CID_CONTRAST:
            return ProcAmp_Contrast;
        case V4L2_CID_HUE:
            return ProcAmp_Hue;
        case V4L2_CID_SATURATION:
            return ProcAmp_Saturation;
        case V4L2_CID_SHARPNESS:
            return ProcAmp_Sharpness;
        case V4L2_CID_GAMMA:
            return ProcAmp_Gamma;
        case V4L2_CID_WHITE_BALANCE_TEMPERATURE:
            return ProcAmp_WhiteBalance;
        case V4L2_CID_BACKLIGHT_COMPENSATION:
            return ProcAmp_BacklightCompensation;
        case V4L2_CID_GAIN:
            return ProcAmp_Gain;
        default:
            return -1;
        }
    }
    bool exists(std::uint32_t id) const
    {
        return std::any_of(controls_.begin(), controls_.end(), [&](const auto& c) { return c.id == id; });
    }
    void load()
    {
        std::vector<std::uint32_t> autos;
        v4l2_queryctrl q {};
        q.id = V4L2_CTRL_FLAG_NEXT_CTRL;
        while (xioctl(fd_, VIDIOC_QUERYCTRL, &q) == 0) {
            const std::uint32_t id = q.id;
            q.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
            if (q.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY))
                continue;
            CameraControl c;
            c.id = id;
            c.name.assign(reinterpret_cast<const char*>(q.name),
                strnlen(reinterpret_cast<const char*>(q.name), sizeof q.name));
            c.minimum = q.minimum;
            c.maximum = q.maximum;
            c.step = q.step > 0 ? q.step : 1;
            c.defaultValue = q.default_value;
            c.procAmp = procAmpOf(id);
            if (q.type == V4L2_CTRL_TYPE_INTEGER) {
                c.kind = CameraControl::Kind::Integer;
            } else if (q.type == V4L2_CTRL_TYPE_BOOLEAN) {
                c.kind = CameraControl::Kind::Boolean;
            } else if (q.type == V4L2_CTRL_TYPE_MENU) {
                c.kind = CameraControl::Kind::Menu;
                for (std::int32_t i = q.minimum; i <= q.maximum; ++i) {
                    v4l2_querymenu m {};
                    m.id = id;
                    m.index = static_cast<std::uint32_t>(i);
                    if (xioctl(fd_, VIDIOC_QUERYMENU, &m) == 0)
                        c.menu.emplace_back(i,
                            std::string(reinterpret_cast<const char*>(m.name),
                                strnlen(reinterpret_cast<const char*>(m.name), sizeof m.name)));
                }
            } else {
                continue;
            }
            controls_.push_back(std::move(c));
        }
        for (auto& c : controls_)
            if (const auto a = autoOf(c.id); a && exists(a))
                c.hasAuto = true;
    }

    int fd_;
    std::vector<CameraControl> controls_;
};

// Channels of a colour-balance element.
class BalanceControls final : public CameraControls {
public:
    explicit BalanceControls(GstColorBalance* balance)
        : balance_(balance)
    {
        int index = 0;
        for (const GList* l = gst_color_balance_list_channels(balance); l; l = l->next, ++index) {
            auto* ch = GST_COLOR_BALANCE_CHANNEL(l->data);
            CameraControl c;
            c.id = static_cast<std::uint32_t>(index);
            c.name = ch->label ? ch->label : "";
            c.procAmp = procAmpOfLabel(c.name);
            c.minimum = ch->min_value;
            c.maximum = ch->max_value;
            c.defaultValue = ch->min_value + (ch->max_value - ch->min_value) / 2;
            channels_.push_back(GST_COLOR_BALANCE_CHANNEL(g_object_ref(ch)));
            controls_.push_back(std::move(c));
        }
    }
    ~BalanceControls() override
    {
        for (auto* ch : channels_)
            g_object_unref(ch);
        gst_object_unref(balance_);
    }
    const std::vector<CameraControl>& controls() const override { return controls_; }
    bool empty() const { return controls_.empty(); }
    bool get(const CameraControl& c, std::int32_t& value) override
    {
        if (c.id >= channels_.size())
            return false;
        value = gst_color_balance_get_value(balance_, channels_[c.id]);
        return true;
    }
    bool set(const CameraControl& c, std::int32_t value) override
    {
        if (c.id >= channels_.size())
            return false;
        gst_color_balance_set_value(balance_, channels_[c.id], std::clamp(value, c.minimum, c.maximum));
        return true;
    }

private:
    GstColorBalance* balance_;
    std::vector<GstColorBalanceChannel*> channels_;
    std::vector<CameraControl> controls_;
};

} // namespace

std::unique_ptr<CameraControls> cameraControlsFor(GstElement* source, const std::string& devicePath)
{
    if (!devicePath.empty()) {
        const int fd = ::open(devicePath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            auto v = std::make_unique<V4l2Controls>(fd);
            if (!v->empty())
                return v;
        }
    }
    if (!source)
        return nullptr;
    GstElement* balance = nullptr;
    if (GST_IS_COLOR_BALANCE(source))
        balance = GST_ELEMENT(gst_object_ref(source));
    else if (GST_IS_BIN(source))
        balance = gst_bin_get_by_interface(GST_BIN(source), GST_TYPE_COLOR_BALANCE);
    if (!balance)
        return nullptr;
    auto b = std::make_unique<BalanceControls>(GST_COLOR_BALANCE(balance));
    if (b->empty())
        return nullptr;
    return b;
}

std::uint32_t v4l2AvailableStandards(const std::string& devicePath)
{
    if (devicePath.empty())
        return 0;
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::uint64_t ids = 0;
    for (std::uint32_t i = 0; i < 256; ++i) {
        v4l2_standard s {};
        s.index = i;
        if (xioctl(fd, VIDIOC_ENUMSTD, &s) != 0)
            break;
        ids |= s.id;
    }
    ::close(fd);
    return analogStandardsOfV4l2(ids);
}

} // namespace capture
