#include <QApplication>

int main(int argc, char* argv[])
{
  QApplication App(argc, argv);
  App.setApplicationName(QStringLiteral("Fathomix"));
  return 0;
}
