// The bytes the transports and managers hand to the system, checked against literal layouts
// rather than against the emulated interfaces' own decoding: every open, control code and block.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "emulation/emulated_platform.h"
#include "enumeration/vornik_usb_driver_mgr.h"
#include "enumeration/winusb_driver_mgr.h"
#include "platform/config.h"
#include "transport/vornik_usb_driver.h"
#include "transport/winusb_driver.h"

using namespace vornik;
using emulation::Binding;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;
using platform::Handle;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct OpenCall {
    std::string path;
    bool wide = false;
    std::uint32_t access = 0;
    std::uint32_t share = 0;
    std::uint32_t creation = 0;
    std::uint32_t flags = 0;
    Handle result = platform::kInvalidHandle;
};

struct IoctlCall {
    Handle device = platform::kInvalidHandle;
    std::uint32_t code = 0;
    Bytes input;
    bool outputNull = true;
    std::uint32_t outputSize = 0;
    Bytes output;  // what came back
};

// Forwards to an emulated bus and writes down what it was asked.
class RecordingPlatform : public platform::Platform {
  public:
    explicit RecordingPlatform(std::shared_ptr<EmulatedPlatform> bus) : bus_(std::move(bus)) {}

    std::vector<platform::Guid> classes;
    std::vector<OpenCall> opens;
    std::vector<IoctlCall> ioctls;

    Handle getClassDevs(const platform::Guid& cls) override {
        classes.push_back(cls);
        return bus_->getClassDevs(cls);
    }
    std::optional<platform::DeviceInterfaceEntry> enumDeviceInterface(
        Handle set, const platform::Guid& cls, std::uint32_t index) override {
        return bus_->enumDeviceInterface(set, cls, index);
    }
    bool destroyDeviceInfoList(Handle set) override { return bus_->destroyDeviceInfoList(set); }
    bool getParent(platform::DevInst child, platform::DevInst& parent) override {
        return bus_->getParent(child, parent);
    }
    Handle createFileW(std::u16string_view path, std::uint32_t access, std::uint32_t share,
                       std::uint32_t creation, std::uint32_t flags) override {
        const Handle h = bus_->createFileW(path, access, share, creation, flags);
        opens.push_back(
            {std::string(path.begin(), path.end()), true, access, share, creation, flags, h});
        return h;
    }
    Handle createFileA(std::string_view path, std::uint32_t access, std::uint32_t share,
                       std::uint32_t creation, std::uint32_t flags) override {
        const Handle h = bus_->createFileA(path, access, share, creation, flags);
        opens.push_back({std::string(path), false, access, share, creation, flags, h});
        return h;
    }
    bool closeHandle(Handle h) override { return bus_->closeHandle(h); }
    bool deviceIoControl(Handle device, std::uint32_t code, const void* input,
                         std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                         std::uint32_t* returned) override {
        IoctlCall call;
        call.device = device;
        call.code = code;
        const auto* in = static_cast<const std::uint8_t*>(input);
        if (in) call.input.assign(in, in + inputSize);
        call.outputNull = output == nullptr;
        call.outputSize = outputSize;
        std::uint32_t got = 0;
        const bool ok =
            bus_->deviceIoControl(device, code, input, inputSize, output, outputSize, &got);
        const auto* out = static_cast<const std::uint8_t*>(output);
        if (ok && out) call.output.assign(out, out + got);
        if (returned) *returned = got;
        ioctls.push_back(std::move(call));
        return ok;
    }
    platform::ModuleHandle loadLibraryW(std::u16string_view name) override {
        return bus_->loadLibraryW(name);
    }
    platform::ProcAddress getProcAddress(platform::ModuleHandle m, const char* name) override {
        return bus_->getProcAddress(m, name);
    }
    bool freeLibrary(platform::ModuleHandle m) override { return bus_->freeLibrary(m); }
    Handle createMutex(bool owned) override { return bus_->createMutex(owned); }
    Handle createEvent(bool manual, bool set) override { return bus_->createEvent(manual, set); }
    platform::WaitResult waitForSingleObject(Handle h, std::uint32_t ms) override {
        return bus_->waitForSingleObject(h, ms);
    }
    bool releaseMutex(Handle h) override { return bus_->releaseMutex(h); }
    bool setEvent(Handle h) override { return bus_->setEvent(h); }
    bool resetEvent(Handle h) override { return bus_->resetEvent(h); }
    bool setCurrentThreadPriority(int p) override { return bus_->setCurrentThreadPriority(p); }
    void sleep(std::uint32_t ms) override { bus_->sleep(ms); }

  private:
    std::shared_ptr<EmulatedPlatform> bus_;
};

class Arrivals : public UsbDriverEventHandler {
  public:
    bool interfaceArrived(UsbDriver* driver) override {
        drivers.push_back(driver);
        return true;
    }
    bool interfaceRemoved(UsbDriver*) override { return true; }
    std::vector<UsbDriver*> drivers;
};

constexpr std::uint32_t kReadWrite = 0xC0000000u;  // GENERIC_READ | GENERIC_WRITE
constexpr std::uint32_t kShareBoth = 3;            // FILE_SHARE_READ | FILE_SHARE_WRITE
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kOverlappedNormal = 0x40000080u;

TEST(WireBytes, WinUsbManagerOpensAndAsksTheHostControllerForTheFrame) {
    auto bus = std::make_shared<EmulatedPlatform>(1);
    InterfaceConfig config;
    config.binding = Binding::WinUsbClass2;
    bus->plugIn(config);
    RecordingPlatform os(bus);
    WinUsbDriverMgr mgr(os);
    Arrivals handler;
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.drivers.size(), 1u);

    ASSERT_EQ(os.classes.size(), 3u);
    EXPECT_EQ(os.classes[0],
              (platform::Guid{
                  0x3ABF6F2D, 0x71C4, 0x462A, {0x8A, 0x92, 0x1E, 0x68, 0x61, 0xE6, 0xAF, 0x27}}));
    EXPECT_EQ(os.classes[1], vendorInterfaceClass1);
    EXPECT_EQ(os.classes[2], vendorInterfaceClass2);
    ASSERT_EQ(os.opens.size(), 2u);  // the host controller, then the interface
    for (const OpenCall& open : os.opens) {
        EXPECT_TRUE(open.wide);
        EXPECT_EQ(open.access, kReadWrite);
        EXPECT_EQ(open.share, kShareBoth);
        EXPECT_EQ(open.creation, kOpenExisting);
        EXPECT_EQ(open.flags, kOverlappedNormal);
        EXPECT_NE(open.result, platform::kInvalidHandle);
    }

    const std::int32_t frame = handler.drivers[0]->currentFrameNumber();
    ASSERT_EQ(os.ioctls.size(), 1u);
    const IoctlCall& call = os.ioctls[0];
    EXPECT_EQ(call.device, os.opens[0].result);
    EXPECT_EQ(call.code, 0x220438u);
    Bytes header(72, 0);
    header[0] = 6;   // USBUSER_GET_BUS_STATISTICS_0
    header[8] = 72;  // request buffer length
    EXPECT_EQ(call.input, header);
    EXPECT_EQ(call.outputSize, 72u);
    ASSERT_EQ(call.output.size(), 72u);
    const auto at28 = static_cast<std::int32_t>(
        call.output[28] | (call.output[29] << 8) | (call.output[30] << 16) |
        (static_cast<std::uint32_t>(call.output[31]) << 24));
    EXPECT_EQ(frame, at28);
}

TEST(WireBytes, KernelDriverPathsControlCodesAndBlocks) {
    auto bus = std::make_shared<EmulatedPlatform>();
    InterfaceConfig config;
    config.binding = Binding::KernelDriver;
    config.deviceNumber = 3;
    config.productId = 2;
    config.realProductId = 0x0107;
    bus->plugIn(config);
    RecordingPlatform os(bus);
    VornikUsbDriverMgr mgr(os);
    Arrivals handler;
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.drivers.size(), 1u);
    UsbDriver& driver = *handler.drivers[0];
    EXPECT_EQ(driver.productId(), 0x0107);

    ASSERT_EQ(os.opens.size(), 10u);
    for (int n = 0; n < 10; ++n) {
        const OpenCall& open = os.opens[static_cast<std::size_t>(n)];
        EXPECT_EQ(open.path, std::string("\\\\.\\txusb-") + std::to_string(n));
        EXPECT_FALSE(open.wide);
        EXPECT_EQ(open.access, kReadWrite);
        EXPECT_EQ(open.share, kShareBoth);
        EXPECT_EQ(open.creation, kOpenExisting);
        EXPECT_EQ(open.flags, 0u);
    }
    const Handle device = os.opens[3].result;

    // Open: the descriptor, then the real product id of product 2.
    ASSERT_EQ(os.ioctls.size(), 2u);
    EXPECT_EQ(os.ioctls[0].code, 0x222004u);
    EXPECT_TRUE(os.ioctls[0].input.empty());
    EXPECT_EQ(os.ioctls[0].outputSize, 18u);
    EXPECT_EQ(os.ioctls[1].code, 0x222059u);
    EXPECT_EQ(os.ioctls[1].input, (Bytes{1, 2, 2, 0, 0xED, 0, 0, 0, 0, 0}));
    EXPECT_EQ(os.ioctls[1].outputSize, 2u);
    os.ioctls.clear();

    const Bytes block{0x10, 0x00, 0x02, 0x00, 0, 0, 1, 0};
    driver.controlOut(0x81, 0x1234, 0x0502, block.data(), 8);
    Bytes buffer(16);
    driver.controlIn(0x84, 0xA1B2, 0x0003, buffer.data(), 16);
    driver.controlIn(0x8A, 1, 0, buffer.data(), 0);
    driver.readPipe(0x82, buffer.data(), 16);
    driver.writePipe(0x02, buffer.data(), 5);
    driver.resetPipe(0x82);
    driver.abortPipe(0x82);
    driver.currentFrameNumber();

    ASSERT_EQ(os.ioctls.size(), 10u);
    for (const IoctlCall& call : os.ioctls) EXPECT_EQ(call.device, device);
    // Request block: direction, vendor, endpoint recipient, 0, request, 0, value, index.
    EXPECT_EQ(os.ioctls[0].code, 0x222059u);
    EXPECT_EQ(os.ioctls[0].input, (Bytes{0, 2, 2, 0, 0x81, 0, 0x34, 0x12, 0x02, 0x05}));
    EXPECT_EQ(os.ioctls[0].outputSize, 8u);
    EXPECT_EQ(os.ioctls[1].input, (Bytes{1, 2, 2, 0, 0x84, 0, 0xB2, 0xA1, 0x03, 0x00}));
    EXPECT_EQ(os.ioctls[1].outputSize, 16u);
    EXPECT_EQ(os.ioctls[2].input, (Bytes{1, 2, 2, 0, 0x8A, 0, 1, 0, 0, 0}));
    EXPECT_TRUE(os.ioctls[2].outputNull);  // no data stage
    EXPECT_EQ(os.ioctls[2].outputSize, 0u);
    // Pipe lookup {direction bit, endpoint number, 2, 0}, then the pipe value as input.
    EXPECT_EQ(os.ioctls[3].code, 0x222084u);
    EXPECT_EQ(os.ioctls[3].input, (Bytes{1, 2, 2, 0}));
    EXPECT_EQ(os.ioctls[3].outputSize, 4u);
    const Bytes in82 = os.ioctls[3].output;
    ASSERT_EQ(in82.size(), 4u);
    EXPECT_EQ(os.ioctls[4].code, 0x22204Eu);
    EXPECT_EQ(os.ioctls[4].input, in82);
    EXPECT_EQ(os.ioctls[4].outputSize, 16u);
    EXPECT_EQ(os.ioctls[5].code, 0x222084u);
    EXPECT_EQ(os.ioctls[5].input, (Bytes{0, 2, 2, 0}));
    EXPECT_EQ(os.ioctls[6].code, 0x222051u);
    EXPECT_EQ(os.ioctls[6].input, os.ioctls[5].output);
    EXPECT_EQ(os.ioctls[6].outputSize, 5u);
    // Cached: no further lookup.
    EXPECT_EQ(os.ioctls[7].code, 0x222035u);
    EXPECT_EQ(os.ioctls[7].input, in82);
    EXPECT_TRUE(os.ioctls[7].outputNull);
    EXPECT_EQ(os.ioctls[8].code, 0x22203Du);
    EXPECT_EQ(os.ioctls[8].input, in82);
    EXPECT_EQ(os.ioctls[9].code, 0x222054u);
    EXPECT_TRUE(os.ioctls[9].input.empty());
    EXPECT_EQ(os.ioctls[9].outputSize, 4u);
}

// A pipe value no lookup produced goes out as -1.
TEST(WireBytes, UnknownEndpointGoesOutAsMinusOne) {
    auto bus = std::make_shared<EmulatedPlatform>();
    InterfaceConfig config;
    config.binding = Binding::KernelDriver;
    bus->plugIn(config);
    RecordingPlatform os(bus);
    VornikUsbDriver driver(os);
    ASSERT_TRUE(
        driver.open(os.createFileA("\\\\.\\txusb-0", kReadWrite, kShareBoth, kOpenExisting, 0)));
    os.ioctls.clear();
    EXPECT_FALSE(driver.resetPipe(0x86));
    ASSERT_EQ(os.ioctls.size(), 5u);  // four lookups, one per empty entry, then the reset
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(os.ioctls[static_cast<std::size_t>(i)].input, (Bytes{1, 6, 2, 0}));
    }
    EXPECT_EQ(os.ioctls[4].code, 0x222035u);
    EXPECT_EQ(os.ioctls[4].input, (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

// A data stage longer than a setup packet's 16-bit length field can say is refused before
// anything is sent, by both transports.
TEST(WireBytes, ControlLengthsBeyondSixteenBitsSendNothing) {
    auto bus = std::make_shared<EmulatedPlatform>();
    InterfaceConfig kernel;
    kernel.binding = Binding::KernelDriver;
    auto kernelDevice = bus->plugIn(kernel);
    auto winUsbDevice = bus->plugIn(InterfaceConfig{});
    RecordingPlatform os(bus);
    VornikUsbDriverMgr kernelMgr(os);
    WinUsbDriverMgr winUsbMgr(os);
    Arrivals handler;
    kernelMgr.scanForChanges(handler);
    winUsbMgr.scanForChanges(handler);
    ASSERT_EQ(handler.drivers.size(), 2u);
    kernelDevice->clearTransfers();
    winUsbDevice->clearTransfers();
    os.ioctls.clear();

    std::vector<std::uint8_t> big(0x10001);
    for (UsbDriver* driver : handler.drivers) {
        EXPECT_FALSE(driver->controlIn(0x01, 0, 0, big.data(), 0x10000));
        EXPECT_FALSE(driver->controlOut(0x81, 0, 0, big.data(), 0x10000));
        EXPECT_FALSE(driver->controlIn(0x01, 0, 0, big.data(), -1));
        driver->controlIn(0x01, 0, 0, big.data(), 0xFFFF);  // goes out (and stalls: no sensor)
    }
    // Only the two 0xFFFF requests reached the interfaces.
    EXPECT_EQ(os.ioctls.size(), 1u);
    EXPECT_EQ(kernelDevice->transfers().size(), 1u);
    ASSERT_EQ(winUsbDevice->transfers().size(), 1u);
    EXPECT_EQ(winUsbDevice->transfers()[0].length, 0xFFFF);
}

}  // namespace
