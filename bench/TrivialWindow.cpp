// The floor of the start-up benchmark: a full-screen Qt window filled with one colour, built by
// the same compiler with the same Qt as the program. StartupBench starts it as it starts the
// program and times both to their first frame on the screen.

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class Plain : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(20, 40, 120)); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Plain window;
    // Without a window manager (Xvfb) only the geometry makes the window cover the screen.
    window.setGeometry(window.screen()->geometry());
    window.showFullScreen();
    return QApplication::exec();
}
