// Reads an emulation description file (JSON, docs/usb-emulation.md) into an emulated platform.
#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cmath>
#include <stdexcept>

#include "emulation/emulated_platform.h"

namespace vornik::emulation {

namespace {

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw std::runtime_error(where + ": " + what);
}

// An integer written as a JSON number or as text ("0x1C4B", "42").
long long integer(const QJsonValue& value, const std::string& where, long long low,
                  long long high) {
    const auto outOfRange = [&] {
        fail(where, "out of range " + std::to_string(low) + ".." + std::to_string(high));
    };
    long long n = 0;
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d != std::trunc(d)) fail(where, "not an integer");
        // Range first: converting a double beyond long long is undefined.
        if (d < static_cast<double>(low) || d > static_cast<double>(high)) outOfRange();
        n = static_cast<long long>(d);
    } else if (value.isString()) {
        bool ok = false;
        n = value.toString().trimmed().toLongLong(&ok, 0);
        if (!ok) fail(where, "not an integer");
    } else {
        fail(where, "not an integer");
    }
    if (n < low || n > high) outOfRange();
    return n;
}

std::vector<std::uint8_t> hexBytes(const QJsonValue& value, const std::string& where) {
    if (!value.isString()) fail(where, "expected a text of hexadecimal bytes");
    QByteArray text = value.toString().toLatin1();
    text.replace(' ', QByteArray()).replace('\n', QByteArray());
    if (text.size() % 2 != 0) fail(where, "odd number of hexadecimal digits");
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) fail(where, "not hexadecimal");
    }
    const QByteArray bytes = QByteArray::fromHex(text);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& base, const QJsonValue& value,
                                    const std::string& where) {
    if (!value.isString()) fail(where, "expected a file name");
    std::filesystem::path file = value.toString().toStdString();
    if (file.is_relative()) file = base / file;
    QFile input(QString::fromStdString(file.string()));
    if (!input.open(QIODevice::ReadOnly)) fail(where, "cannot read " + file.string());
    const QByteArray bytes = input.readAll();
    return {bytes.begin(), bytes.end()};
}

Binding binding(const QJsonValue& value, const std::string& where) {
    const QString text = value.toString();
    if (text == "winusb1") return Binding::WinUsbClass1;
    if (text == "winusb2") return Binding::WinUsbClass2;
    if (text == "winusb-both") return Binding::WinUsbBothClasses;
    if (text == "kernel") return Binding::KernelDriver;
    fail(where, "binding must be winusb1, winusb2, winusb-both or kernel");
}

SensorConfig sensorConfig(const QJsonObject& object, const std::filesystem::path& base,
                          const std::string& where) {
    SensorConfig sensor;
    if (object.contains("dataSheet"))
        sensor.dataSheet = hexBytes(object["dataSheet"], where + ".dataSheet");
    if (object.contains("dataSheetFile")) {
        sensor.dataSheet = fileBytes(base, object["dataSheetFile"], where + ".dataSheetFile");
    }
    if (object.contains("present")) sensor.present = object["present"].toBool();
    if (object.contains("statusCode")) {
        sensor.statusCode = static_cast<std::int8_t>(
            integer(object["statusCode"], where + ".statusCode", -128, 127));
    }
    if (object.contains("sample")) sensor.sample = hexBytes(object["sample"], where + ".sample");
    if (object.contains("streamSamples")) {
        const QJsonArray samples = object["streamSamples"].toArray();
        for (qsizetype i = 0; i < samples.size(); ++i) {
            sensor.streamSamples.push_back(
                hexBytes(samples[i], where + ".streamSamples[" + std::to_string(i) + "]"));
        }
    }
    if (object.contains("probeValidity")) {
        sensor.probeValidity = hexBytes(object["probeValidity"], where + ".probeValidity");
    }
    return sensor;
}

// Identity: binding, ids, loader mode, interface information and version replies.
void readIdentity(const QJsonObject& object, const std::string& where, InterfaceConfig& config) {
    const auto u16 = [&](const char* key, std::uint16_t& target) {
        if (object.contains(key)) {
            target = static_cast<std::uint16_t>(integer(object[key], where + "." + key, 0, 0xFFFF));
        }
    };
    if (object.contains("name")) config.name = object["name"].toString().toStdString();
    if (object.contains("binding")) config.binding = binding(object["binding"], where + ".binding");
    if (object.contains("deviceNumber")) {
        config.deviceNumber =
            static_cast<int>(integer(object["deviceNumber"], where + ".deviceNumber", 0, 9));
    }
    u16("vendorId", config.vendorId);
    u16("productId", config.productId);
    u16("productIdAfterFirmware", config.productIdAfterFirmware);
    u16("realProductId", config.realProductId);
    u16("channelCount", config.channelCount);
    u16("capabilityWord", config.capabilityWord);
    if (object.contains("reconnectDelayMs")) {
        config.reconnectDelayMs = static_cast<std::uint32_t>(
            integer(object["reconnectDelayMs"], where + ".reconnectDelayMs", 0, 60000));
    }
    if (object.contains("capabilities")) {
        const QJsonArray caps = object["capabilities"].toArray();
        if (caps.size() != 6) fail(where + ".capabilities", "expected 6 values");
        for (qsizetype i = 0; i < 6; ++i) {
            config.capabilities[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(integer(caps[i], where + ".capabilities", 0, 255));
        }
    }
    if (object.contains("version")) {
        const QJsonArray version = object["version"].toArray();
        if (version.size() != 2) fail(where + ".version", "expected 2 bytes");
        for (qsizetype i = 0; i < 2; ++i) {
            config.version[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(integer(version[i], where + ".version", 0, 255));
        }
    }
}

// The sample stream: production rate, frames, read splits and the pipe's time-out.
void readStream(const QJsonObject& object, const std::string& where, InterfaceConfig& config) {
    if (object.contains("samplesPerSecond")) {
        config.samplesPerSecond = object["samplesPerSecond"].toDouble(-1);
        if (config.samplesPerSecond < 0) fail(where + ".samplesPerSecond", "must be 0 or more");
    }
    if (object.contains("samplesPerFrame")) {
        config.samplesPerFrame = static_cast<int>(
            integer(object["samplesPerFrame"], where + ".samplesPerFrame", 1, 1000));
    }
    if (object.contains("readSplits")) {
        for (const auto& split : object["readSplits"].toArray()) {
            config.readSplits.push_back(
                static_cast<std::size_t>(integer(split, where + ".readSplits", 1, 65536)));
        }
    }
    if (object.contains("readTimeoutMs")) {
        config.readTimeoutMs = static_cast<std::uint32_t>(
            integer(object["readTimeoutMs"], where + ".readTimeoutMs", 0, 60000));
    }
}

// Endpoints and the place on the bus.
void readTopology(const QJsonObject& object, const std::string& where, InterfaceConfig& config) {
    if (object.contains("endpoints")) {
        config.endpoints.clear();
        for (const auto& endpoint : object["endpoints"].toArray()) {
            config.endpoints.push_back(
                static_cast<std::uint8_t>(integer(endpoint, where + ".endpoints", 0, 255)));
        }
    }
    if (object.contains("hostController")) {
        config.hostController =
            static_cast<int>(integer(object["hostController"], where + ".hostController", -1, 9));
    }
    if (object.contains("hubDepth")) {
        config.hubDepth = static_cast<int>(integer(object["hubDepth"], where + ".hubDepth", 0, 7));
    }
    if (object.contains("pathPadding")) {
        config.pathPadding = static_cast<std::size_t>(
            integer(object["pathPadding"], where + ".pathPadding", 0, 1000));
    }
}

InterfaceConfig interfaceConfig(const QJsonObject& object, const std::filesystem::path& base,
                                const std::string& where) {
    InterfaceConfig config;
    readIdentity(object, where, config);
    readStream(object, where, config);
    readTopology(object, where, config);
    const QJsonArray sensors = object["sensors"].toArray();
    for (qsizetype i = 0; i < sensors.size(); ++i) {
        const std::string at = where + ".sensors[" + std::to_string(i) + "]";
        if (sensors[i].isNull()) {
            SensorConfig empty;
            empty.present = false;
            config.sensors.push_back(empty);
        } else if (sensors[i].isObject()) {
            config.sensors.push_back(sensorConfig(sensors[i].toObject(), base, at));
        } else {
            fail(at, "expected an object or null");
        }
    }
    return config;
}

// The interface an event names: its name, or its position in "interfaces".
std::size_t eventInterface(const QJsonValue& value, const std::vector<std::string>& names,
                           const std::string& where) {
    if (value.isString()) {
        const std::string name = value.toString().toStdString();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) return i;
        }
        fail(where, "no interface is named \"" + name + "\"");
    }
    if (names.empty()) fail(where, "there is no interface");
    return static_cast<std::size_t>(
        integer(value, where, 0, static_cast<long long>(names.size()) - 1));
}

// One entry of "events"; an unplug with "plugBackAfterMs" gives two events.
std::vector<ScheduledEvent> scheduledEvents(const QJsonObject& object,
                                            const std::vector<std::string>& names,
                                            const std::string& where) {
    using Action = ScheduledEvent::Action;
    ScheduledEvent event;
    event.atMs = integer(object["atMs"], where + ".atMs", 0, 86400000);
    event.interfaceIndex = eventInterface(object["interface"], names, where + ".interface");
    const QString action = object["action"].toString();
    if (action == "unplug") {
        event.action = Action::Unplug;
    } else if (action == "plugBack") {
        event.action = Action::PlugBack;
    } else if (action == "failPipe") {
        event.action = Action::FailPipe;
        if (object.contains("pipe")) {
            event.pipe =
                static_cast<std::uint8_t>(integer(object["pipe"], where + ".pipe", 0, 255));
        }
        if (object.contains("count")) {
            event.count = static_cast<int>(integer(object["count"], where + ".count", 1, 1000000));
        }
    } else if (action == "badMarker") {
        event.action = Action::BadMarker;
    } else if (action == "badChannel") {
        event.action = Action::BadChannel;
    } else {
        fail(where + ".action", "must be unplug, plugBack, failPipe, badMarker or badChannel");
    }
    std::vector<ScheduledEvent> events{event};
    if (event.action == Action::Unplug && object.contains("plugBackAfterMs")) {
        ScheduledEvent back = event;
        back.action = Action::PlugBack;
        back.atMs += integer(object["plugBackAfterMs"], where + ".plugBackAfterMs", 0, 86400000);
        events.push_back(back);
    }
    return events;
}

}  // namespace

std::shared_ptr<EmulatedPlatform> EmulatedPlatform::fromDescriptionFile(
    const std::filesystem::path& file) {
    QFile input(QString::fromStdString(file.string()));
    if (!input.open(QIODevice::ReadOnly)) fail(file.string(), "cannot open the file");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(input.readAll(), &error);
    if (document.isNull()) fail(file.string(), error.errorString().toStdString());
    if (!document.isObject()) fail(file.string(), "expected a JSON object");
    const QJsonObject root = document.object();
    int hostControllers = 1;
    if (root.contains("hostControllers")) {
        hostControllers =
            static_cast<int>(integer(root["hostControllers"], "hostControllers", 0, 10));
    }
    auto platform = std::make_shared<EmulatedPlatform>(hostControllers);
    const QJsonArray interfaces = root["interfaces"].toArray();
    std::vector<std::string> names;
    for (qsizetype i = 0; i < interfaces.size(); ++i) {
        const std::string where = "interfaces[" + std::to_string(i) + "]";
        if (!interfaces[i].isObject()) fail(where, "expected an object");
        const InterfaceConfig config =
            interfaceConfig(interfaces[i].toObject(), file.parent_path(), where);
        names.push_back(config.name);
        platform->plugIn(config);
    }
    const QJsonArray events = root["events"].toArray();
    for (qsizetype i = 0; i < events.size(); ++i) {
        const std::string where = "events[" + std::to_string(i) + "]";
        if (!events[i].isObject()) fail(where, "expected an object");
        for (const ScheduledEvent& event : scheduledEvents(events[i].toObject(), names, where)) {
            platform->schedule(event);
        }
    }
    return platform;
}

}  // namespace vornik::emulation
