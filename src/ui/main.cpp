// selko: the window. Start-up creates the one window, shows it and runs until it is closed.
#include <QApplication>

#include "ui/main_window.hpp"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  selko::ui::MainWindow window;
  window.show();
  return application.exec();
}
