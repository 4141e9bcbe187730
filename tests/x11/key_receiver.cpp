// A stand-in word processor for the key-playback tests: one window with a plain-text editor
// that writes what it holds to the file named on its command line whenever the text changes
// (to a temporary file renamed over the target, so a reader never sees half a text). Its
// process id goes to that file name + ".pid", so the test can end it. It ends by itself after
// a minute, should the test not survive to end it.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(bytes);
    file.commit();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-file\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);

    QPlainTextEdit editor;
    editor.setObjectName(QStringLiteral("Receiver"));
    editor.setWindowTitle(QStringLiteral("Key Receiver"));
    editor.resize(400, 300);
    QObject::connect(&editor, &QPlainTextEdit::textChanged,
                     [&] { writeFile(output, editor.toPlainText().toUtf8()); });
    editor.show();
    editor.setFocus();
    writeFile(output + QStringLiteral(".pid"),
              QByteArray::number(QCoreApplication::applicationPid()));

    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
