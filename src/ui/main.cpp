// korvex: the desktop window of the engine.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstring>
#include <iostream>

#include "session/startup_check.h"
#include "ui/exit_signals.h"
#include "ui/frm_korvex.h"
#include "window/window_defaults.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "korvex " << korvex::kVersion << "\n";
      return 0;
    }
  }
  QApplication app(argc, argv);
  if (const auto problem = korvex::engineStartupProblem()) {
    QMessageBox::critical(nullptr, QStringLiteral("Korvex"), QString::fromStdString(*problem));
    return 1;
  }
  korvex::ui::frmKorvex window;
  korvex::ui::ExitSignals exitSignals([&window] { window.leaveWithoutAsking(); });
  window.show();
  QTimer::singleShot(0, &window, [&window] { window.offerLastScan(); });
  return app.exec();
}
