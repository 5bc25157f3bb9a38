// The big digits window.
#include "settings/windows/ugroschiffres.h"

#include <QLabel>
#include <QResizeEvent>

#include "settings/big_digits_layout.h"

namespace qtl {

namespace {

QLabel* digitLabel(QWidget* parent, const char* name, const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

Tfgroschiffres::Tfgroschiffres(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fgroschiffres"));
    setWindowTitle(QStringLiteral("fgroschiffres"));
    labelp = digitLabel(this, "labelp", QColor(255, 0, 0));
    labelA = digitLabel(this, "labelA", QColor(0, 255, 0));
    LabelS = digitLabel(this, "LabelS", QColor(0, 0, 255));
    resize(560, 320);
    FormResize();
}

void Tfgroschiffres::showTexts(const QString& p, const QString& a, const QString& s) {
    labelp->setText(p);
    labelA->setText(a);
    LabelS->setText(s);
}

void Tfgroschiffres::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void Tfgroschiffres::FormResize() {
    // The rule counts the outer height, title bar included.
    const BigDigitsLayout layout = bigDigitsLayout(frameGeometry().height());
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(layout.pointSize);
    const int tops[] = {layout.topP, layout.topA, layout.topS};
    QLabel* labels[] = {labelp, labelA, LabelS};
    for (int i = 0; i < 3; ++i) {
        labels[i]->setFont(font);
        // Labels paint no background, so a tall label never hides the one below it.
        labels[i]->setGeometry(0, tops[i], width(), QFontMetrics(font).height() + 4);
    }
}

}  // namespace qtl
