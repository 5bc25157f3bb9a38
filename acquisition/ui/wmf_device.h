// A paint device whose picture is a placeable Windows metafile: paint on it with a QPainter,
// end the painter, then take the file.
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <memory>

namespace qtl {

class WmfPaintEngine;

class WmfDevice : public QPaintDevice {
  public:
    // `size` in pixels of 96 dots per inch.
    explicit WmfDevice(QSize size);
    ~WmfDevice() override;

    QPaintEngine* paintEngine() const override;
    // The metafile written by the last painter on this device; empty while painting.
    QByteArray file() const;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QSize size_;
    std::unique_ptr<WmfPaintEngine> engine_;
};

}  // namespace qtl
