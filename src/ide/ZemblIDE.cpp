// The program entry: the diagnostic log, the kernel, the Qt application and the main window.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "ide/Main.h"
#include "ide/Version.h"
#include "kernel/AppKernel.h"
#include "kernel/AppObjects.h"
#include "kernel/MultiLog.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "kernel/qt/SystemGui.h"
#include "platform/qt/AnsiText.h"
#include "platform/FileSystem.h"
#include "project/AppLogic.h"
#include "project/ProjectBuilder.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminateSignal(int) {
  char b = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &b, 1);
}

// SIGTERM and SIGINT close the IDE exactly as its close box does, so everything is saved.
void CloseOnSignals(QApplication& app) {
  if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = OnTerminateSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
    char buf[16];
    while (::read(g_signalPipe[0], buf, sizeof buf) > 0) {
    }
    if (zemblo::MainForm) zemblo::MainForm->close();
    else QApplication::quit();
  });
}

// The default error handler: an error that no command caught shows its message and the IDE
// goes on, instead of ending the program from inside Qt's event loop.
class TZemblo : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      QMessageBox::critical(activeWindow(), QStringLiteral("Zemblo"), zemblo::FromAnsi(e.what()));
    }
    return false;
  }
};

void PrintUsage() {
  std::printf(
      "Usage: zemblo [option]\n"
      "A visual development environment for desktop programs written in PHP.\n\n"
      "  (no option)         start the IDE\n"
      "  --build FILE.kxp    build the project, save it, print the program's path\n"
      "  --run FILE.kxp      build the project, run the program, print its run log\n"
      "  --version           print the version and exit\n"
      "  --help              print this help and exit\n");
}

// The command line's stand-in for the main window: messages go to standard error, the run
// log to standard output; there is nothing to minimise.
class TConsoleShell : public zemblo::IAppShell {
 public:
  void Alert(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
  void SaveEditorFile() override {}
  bool IsShown() override { return false; }
  void RefreshProject() override {}
  void MinimizeApp() override {}
  void RestoreApp() override {}
  void ShowRunLog(const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  }
  void ClearRunLog() override {}
};

// --build and --run: the kernel's objects without its settings file, which the command line
// neither reads nor writes, and without a display.
int BuildFromCommandLine(const std::string& file, bool run) {
  using namespace zemblo;
  std::error_code ec;
  std::string path = std::filesystem::absolute(file, ec).lexically_normal().string();
  if (ec || !FileExists(path)) {
    std::fprintf(stderr, "The project file \"%s\" does not exist.\n", file.c_str());
    return 1;
  }
  SystemFunctions = new TSystemFunctions();
  IDESettings = new TVantrelINI();
  AppObjects = new TAppObjects();
  AppLogic = new TAppLogic();
  TConsoleShell shell;
  AppLogic->SetShell(&shell);
  int status = 0;
  try {
    AppLogic->OpenProject(path);
    AppLogic->BuildProject();
    AppLogic->SaveProject();  // keeps the raised build counter
    if (run) AppLogic->RunProject();
    else std::printf("%s\n", TProjectBuilder::ExeFileName(*AppObjects->Project).c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    status = 1;
  }
  std::fflush(stdout);
  delete AppLogic;
  AppLogic = nullptr;
  delete AppObjects;
  AppObjects = nullptr;
  delete IDESettings;
  IDESettings = nullptr;
  delete SystemFunctions;
  SystemFunctions = nullptr;
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    std::string opt = argv[1];
    if (opt == "--version") {
      std::printf("Zemblo %s\n", ZEMBLO_VERSION);
      return 0;
    }
    if (opt == "--help" || opt == "-h") {
      PrintUsage();
      return 0;
    }
    if ((opt == "--build" || opt == "--run") && argc == 3) return BuildFromCommandLine(argv[2], opt == "--run");
    std::fprintf(stderr, "zemblo: unknown option %s\n", argv[1]);
    PrintUsage();
    return 2;
  }

  zemblo::MultiLogStart();
  zemblo::KernelStart();
  int status;
  {
    TZemblo app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zemblo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zemblo"));
    zemblo::TQtSystemGui gui;
    zemblo::SystemFunctions->SetGui(&gui);
    CloseOnSignals(app);
    auto* form = new zemblo::TMainForm();
    form->show();
    status = app.exec();
    zemblo::KernelStop();
  }
  zemblo::MultiLogEnd();
  return status;
}
