// Ownership of the graph windows and of the axis dialog.
#include "graph/windows/graph_windows.h"

#include <QCoreApplication>

#include "graph/windows/udcadrages10.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"

namespace qtl {

namespace {

struct GraphWindowList {
    std::vector<std::unique_ptr<Trepere>> windows;
    std::unique_ptr<TcadrageDlg> dialog;
    bool quitHooked = false;

    ~GraphWindowList() {
        // Widgets cannot outlive the application object; left over at exit, they are let go.
        if (QCoreApplication::instance() != nullptr) return;
        for (auto& w : windows) static_cast<void>(w.release());
        static_cast<void>(dialog.release());
    }

    // The windows go when the event loop ends, before the application object does.
    void hookQuit() {
        if (quitHooked || QCoreApplication::instance() == nullptr) return;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         [] { destroyGraphWindows(); });
        quitHooked = true;
    }
};

GraphWindowList& list() {
    static GraphWindowList instance;
    return instance;
}

}  // namespace

Trepere* adoptGraphWindow(std::unique_ptr<Trepere> window) {
    list().hookQuit();
    list().windows.push_back(std::move(window));
    return list().windows.back().get();
}

Trepere* openGraphWindow() {
    Trepere* w = adoptGraphWindow(std::make_unique<Trepere>());
    w->show();
    return w;
}

TcadrageDlg& cadrageDlg() {
    if (!list().dialog) {
        list().hookQuit();
        list().dialog = std::make_unique<TcadrageDlg>();
    }
    return *list().dialog;
}

void openFutureFraming() {
    programSettings().framingFuture = true;
    cadrageDlg().ShowModal();
}

std::vector<Trepere*> graphWindows() {
    std::vector<Trepere*> out;
    for (const auto& w : list().windows) out.push_back(w.get());
    return out;
}

void destroyGraphWindows() {
    list().windows.clear();
    list().dialog.reset();
}

}  // namespace qtl
