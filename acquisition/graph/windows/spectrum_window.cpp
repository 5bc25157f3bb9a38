// The spectrum window: a derived graph window whose P series hold (frequency, amplitude).
#include "graph/windows/spectrum_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "analysis/cursor_readout.h"
#include "graph/windows/urepere13.h"
#include "qtl_error.h"
#include "ui/chart.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

constexpr SpectrumWindow kDefaultWindow = SpectrumWindow::Hann;

}  // namespace

SpectrumBar::SpectrumBar(Trepere& window, std::vector<double> xs, std::vector<double> ys)
    : QToolBar(QStringLiteral("spectre"), &window),
      window_(window),
      xs_(std::move(xs)),
      ys_(std::move(ys)),
      choice_(new QComboBox(this)) {
    setObjectName(QStringLiteral("spectreBarre"));
    setMovable(false);
    addWidget(new QLabel(QStringLiteral("fenêtre : "), this));
    choice_->setObjectName(QStringLiteral("fenetreSpectre"));
    for (const SpectrumWindow w : kSpectrumWindows)
        choice_->addItem(QString::fromUtf8(spectrumWindowCaption(w)), static_cast<int>(w));
    choice_->setCurrentIndex(choice_->findData(static_cast<int>(kDefaultWindow)));
    addWidget(choice_);
    auto* copy = new QPushButton(QStringLiteral("copier la fréquence du pic"), this);
    copy->setObjectName(QStringLiteral("copierfrequence"));
    addWidget(copy);
    connect(copy, &QPushButton::clicked, this, [this] { copyPeak(); });
    connect(choice_, &QComboBox::currentIndexChanged, this, [this](int index) {
        try {
            compute(static_cast<SpectrumWindow>(choice_->itemData(index).toInt()));
        } catch (const CommandError& error) {
            reportCommandError(error);
        }
    });
}

void SpectrumBar::compute(SpectrumWindow w) {
    display(w, amplitudeSpectrum(xs_, ys_, w));
}

void SpectrumBar::display(SpectrumWindow w, Spectrum spectrum) {
    spectrum_ = std::move(spectrum);
    GraphModel& m = window_.model();
    m.clearAllSeries();
    m.points(Channel::P).reserve(spectrum_.frequencies.size());
    m.line(Channel::P).reserve(spectrum_.frequencies.size());
    for (std::size_t k = 0; k < spectrum_.frequencies.size(); ++k)
        m.addPoint(Channel::P, spectrum_.frequencies[k], spectrum_.amplitudes[k]);
    m.setChartTitle("spectre de P (fenêtre " + std::string(spectrumWindowCaption(w)) +
                    ") : " + spectrumPeakText(spectrum_));
    window_.redraw();
}

void SpectrumBar::copyPeak() const {
    if (!spectrum_.peakFrequency) return;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(formatCursorNumber(*spectrum_.peakFrequency)));
}

Trepere* FerquenceFFTP1Click(Trepere& source) {
    source.redraw();  // the range on show must be that of the points now held
    const DataSeries& p = source.model().points(Channel::P);
    const ValueRange shown = source.Chart1->shownXRange();
    const auto [first, last] = shownRange(p.xs(), shown.min, shown.max);
    std::vector<double> xs(p.xs().begin() + static_cast<std::ptrdiff_t>(first),
                           p.xs().begin() + static_cast<std::ptrdiff_t>(last));
    std::vector<double> ys(p.ys().begin() + static_cast<std::ptrdiff_t>(first),
                           p.ys().begin() + static_cast<std::ptrdiff_t>(last));
    // Refused before any window opens, so that a failure leaves nothing behind.
    Spectrum computed;
    try {
        computed = amplitudeSpectrum(xs, ys, kDefaultWindow);
    } catch (const CommandError& error) {
        reportCommandError(error);
        return nullptr;
    }

    Trepere* w = Trepere::createDerivedWindow();
    GraphModel& m = w->model();
    m.aActive = false;
    m.sActive = false;
    m.rightAxis().setVisible(false);
    m.bottomAxis().setAutomatic(true);
    m.leftAxis().setAutomatic(true);
    m.bottomAxis().setTitle("fréquence (1/" + source.model().bottomAxis().title() + ")");
    const std::string& pTitle = source.model().leftAxis().title();
    m.leftAxis().setTitle(pTitle.empty() ? "amplitude" : "amplitude de " + pTitle);
    auto* bar = new SpectrumBar(*w, std::move(xs), std::move(ys));
    w->addToolBar(bar);
    bar->display(kDefaultWindow, std::move(computed));
    w->setWindowTitle(QStringLiteral("Mesures : spectre"));
    w->MainMenu1Change();
    w->show();
    return w;
}

}  // namespace qtl
