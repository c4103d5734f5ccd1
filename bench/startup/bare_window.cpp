// SPDX-License-Identifier: MIT
// A bare Qt main window of the program's size that closes after its first paint, exactly as
// the program does with ZENTRAVOLIX_QUIT_AFTER_SHOW=1: the baseline of the start-up measurement.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {

class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget* window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_done && watched == m_window && event->type() == QEvent::Paint) {
            m_done = true;
            QTimer::singleShot(0, m_window, &QWidget::close);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(1120, 760);
    new CloseAfterFirstPaint(&window);
    window.show();
    return application.exec();
}
