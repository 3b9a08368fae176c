#include "ui/status_bar.h"

#include <QPainter>

namespace tavo {

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void TStatusBar::AddPanel(const std::string& text, int width) {
    panels_.push_back(Panel{text, width});
    update();
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
    panels_.at(index).text = text;
    update(PanelRect(index));
}

QRect TStatusBar::PanelRect(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i) left += panels_[i].width;
    // The last panel takes the rest of the bar, as the platform's status bar does.
    const bool last = index + 1 == PanelCount();
    const int width =
        last ? std::max(panels_[index].width, this->width() - left) : panels_[index].width;
    return QRect(left, 0, width, height());
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
    for (int i = 0; i < PanelCount(); ++i) {
        const QRect rect = PanelRect(i).adjusted(1, 2, -1, -1);
        if (onDrawPanel_) {
            onDrawPanel_(painter, i, rect);
            continue;
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromStdString(panels_[i].text));
    }
}

}  // namespace tavo
