// A window and nothing else, ending once it has painted: the floor the configurator's start
// is measured against.
#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace {

class PaintedOnce : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PaintedOnce window(QStringLiteral("minimal"));
    window.resize(694, 396);
    window.show();
    return QApplication::exec();
}
