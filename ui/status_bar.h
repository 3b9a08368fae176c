#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

namespace tavo {

// A status bar of fixed panels. A panel may be drawn by its owner through OnDrawPanel;
// otherwise it shows its text on the face colour.
class TStatusBar : public QWidget {
  public:
    struct Panel {
        std::string text;
        int width = 0;
    };
    using DrawPanel = std::function<void(QPainter&, int index, const QRect&)>;

    explicit TStatusBar(QWidget* parent);

    void AddPanel(const std::string& text, int width);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    const std::string& PanelText(int index) const { return panels_.at(index).text; }
    void SetPanelText(int index, const std::string& text);
    QRect PanelRect(int index) const;
    void SetOnDrawPanel(DrawPanel draw) { onDrawPanel_ = std::move(draw); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<Panel> panels_;
    DrawPanel onDrawPanel_;
};

}  // namespace tavo
