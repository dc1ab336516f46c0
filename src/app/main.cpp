#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream(stdout) << "Dirwright " << DIRWRIGHT_VERSION_TEXT << '\n';
    return 0;
}
