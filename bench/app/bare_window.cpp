// The yardstick for start-up: a bare Qt program that shows one frameless window of the main
// window's size and paints it once.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow final : public QWidget {
 public:
  BareWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setFixedSize(1000, 645);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(18, 20, 26));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  BareWindow window;
  window.show();
  return QApplication::exec();
}
