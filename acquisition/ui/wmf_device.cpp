// The metafile paint device: a fixed size at 96 dots per inch.
#include "ui/wmf_device.h"

#include <algorithm>
#include <cmath>

#include "ui/wmf_paint_engine.h"

namespace qtl {

namespace {

constexpr int kDotsPerInch = 96;
// Logical units are finer than pixels so that curves keep their shape, while the largest
// picture still fits the records' 16-bit coordinates with room to spare.
constexpr int kLargestExtent = 16000;
constexpr int kFinestUnitsPerPixel = 10;

int unitsPerPixel(QSize size) {
    const int longest = std::max({size.width(), size.height(), 1});
    return std::clamp(kLargestExtent / longest, 1, kFinestUnitsPerPixel);
}

}  // namespace

WmfDevice::WmfDevice(QSize size)
    : size_(size.expandedTo(QSize(1, 1))),
      engine_(std::make_unique<WmfPaintEngine>(size_, unitsPerPixel(size_), kDotsPerInch)) {}

WmfDevice::~WmfDevice() = default;

QPaintEngine* WmfDevice::paintEngine() const {
    return engine_.get();
}

QByteArray WmfDevice::file() const {
    if (engine_->isActive()) return {};
    const auto& bytes = engine_->file();
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

int WmfDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return static_cast<int>(std::lround(size_.width() * 25.4 / kDotsPerInch));
        case PdmHeightMM:
            return static_cast<int>(std::lround(size_.height() * 25.4 / kDotsPerInch));
        case PdmNumColors:
            return 0xFFFFFF;
        case PdmDepth:
            return 24;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDotsPerInch;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}

}  // namespace qtl
