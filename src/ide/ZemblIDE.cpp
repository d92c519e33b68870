// The program entry: the diagnostic log, the kernel, the Qt application and the main window.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <cstring>
#include <string>

#include "ide/Main.h"
#include "ide/Version.h"
#include "kernel/AppKernel.h"
#include "kernel/MultiLog.h"
#include "kernel/SysFuncs.h"
#include "kernel/qt/SystemGui.h"

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

void PrintUsage() {
  std::printf(
      "Usage: zemblo [option]\n"
      "A visual development environment for desktop programs written in PHP.\n\n"
      "  (no option)   start the IDE\n"
      "  --version     print the version and exit\n"
      "  --help        print this help and exit\n");
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
    std::fprintf(stderr, "zemblo: unknown option %s\n", argv[1]);
    PrintUsage();
    return 2;
  }

  zemblo::MultiLogStart();
  zemblo::KernelStart();
  int status;
  {
    QApplication app(argc, argv);
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
