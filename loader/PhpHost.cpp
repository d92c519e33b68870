#include "PhpHost.h"

#include <sapi/embed/php_embed.h>
#include <zend_exceptions.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "PhpFramework.h"
#include "RunLog.h"
#include "platform/Resources.h"

namespace zemblo {
void RegisterResources_loader();
}

namespace {

// PHP writes through plain functions; they reach the one host's log here.
zemblo::TRunLog* g_log = nullptr;

// php_embed_init keeps a pointer to its argv for the whole run.
char g_argv0[] = "ZembloLdr";
char* g_argv[] = {g_argv0, nullptr};

size_t WriteOutput(const char* text, size_t length) {
  if (g_log) g_log->Write(std::string_view(text, length));
  return length;
}

void LogMessage(const char* message, int) {
  if (g_log) g_log->Line(message);
}

// php_embed_init replaces additional_functions, so the module comes in through startup.
int StartWithFramework(sapi_module_struct* sapi) { return php_module_startup(sapi, &zemblo::FrameworkModule()); }

void SetIni(const char* name, const char* value) {
  zend_string* key = zend_string_init(name, std::strlen(name), 0);
  zend_alter_ini_entry_chars(key, value, std::strlen(value), PHP_INI_SYSTEM, PHP_INI_STAGE_RUNTIME);
  zend_string_release(key);
}

// The exception a handler left behind, dealt with as the script's own top level would, except
// that it does not end the run. Returns whether it was exit() unwinding.
bool SettleException() {
  if (Z_TYPE(EG(user_exception_handler)) != IS_UNDEF && !zend_is_unwind_exit(EG(exception)))
    zend_user_exception_handler();
  if (!EG(exception)) return false;
  if (zend_is_unwind_exit(EG(exception)) || zend_is_graceful_exit(EG(exception))) {
    zend_exception_error(EG(exception), E_WARNING);  // releases it, says nothing
    return true;
  }
  // Reported like an uncaught exception at the top level, as a warning: the status of the
  // run stays what the program makes it.
  const int status = EG(exit_status);
  zend_exception_error(EG(exception), E_WARNING);
  EG(exit_status) = status;
  return false;
}

}  // namespace

namespace zemblo {

TPhpHost::TPhpHost(TRunLog& log, TRuntime& runtime) {
  g_log = &log;
  BindFramework(&log, &runtime);
  runtime.SetEventRunner([this](const std::string& code) { return RunEvent(code); });
}

TPhpHost::~TPhpHost() {
  // Shutting down destroys the script's objects, whose destructors still reach the runtime.
  if (started_) php_embed_shutdown();
  BindFramework(nullptr, nullptr);
  g_log = nullptr;
}

bool TPhpHost::Start() {
#if defined(__SANITIZE_ADDRESS__)
  // PHP loads the extensions of its scan folder with RTLD_DEEPBIND, which AddressSanitizer
  // refuses by ending the process: a sanitizer build of the loader runs without them.
  ::setenv("PHP_INI_SCAN_DIR", "", 1);
#endif
  php_embed_module.startup = StartWithFramework;
  php_embed_module.ub_write = WriteOutput;
  php_embed_module.log_message = LogMessage;
  if (php_embed_init(1, g_argv) == FAILURE) {
    g_log->Line("PHP cannot start.");
    return false;
  }
  started_ = true;
  // Whatever the installed php.ini says: every error and warning is logged once, through
  // LogMessage, and none is printed into the program's output.
  SetIni("display_errors", "0");
  SetIni("display_startup_errors", "0");
  SetIni("log_errors", "1");
  SetIni("error_log", "");
  SetIni("error_reporting", "32767");  // E_ALL
  return true;
}

int TPhpHost::Run(const std::string& path) {
  RegisterResources_loader();
  std::string_view framework = FindResource("Framework").value_or("");
  if (framework.substr(0, 5) == "<?php") framework.remove_prefix(5);
  std::string code(framework);

  // Fatal errors leave by a long jump: nothing with a destructor may live inside.
  zend_file_handle script;
  zend_stream_init_filename(&script, path.c_str());
  script.primary_script = true;
  zend_try {
    if (zend_eval_stringl(code.data(), code.size(), nullptr, "Zemblo framework") == SUCCESS) {
      php_execute_script(&script);
    } else {
      g_log->Line("The framework cannot be loaded.");
      EG(exit_status) = 1;
    }
  }
  zend_end_try();
  int status = EG(exit_status);
  zend_destroy_file_handle(&script);
  return status;
}

TEventOutcome TPhpHost::RunEvent(const std::string& phpCode) {
  // Inside zend_try only plain C data: a fatal error jumps out of the middle of it.
  zend_string* source = zend_string_init(phpCode.data(), phpCode.size(), 0);
  zend_execute_data* const caller = EG(current_execute_data);
  zend_op_array* volatile ops = nullptr;
  volatile bool exited = false;
  volatile bool fatal = true;
  zend_try {
    ops = zend_compile_string(source, "Zemblo event", ZEND_COMPILE_POSITION_AT_OPEN_TAG);
    if (ops) {
      ops->scope = nullptr;
      zval result;
      ZVAL_UNDEF(&result);
      zend_execute(ops, &result);
      zval_ptr_dtor(&result);
    }
    if (EG(exception)) exited = SettleException();
    fatal = false;
  }
  zend_end_try();
  if (fatal) {
    // The interpreter stopped where the error struck; the caller (the native function that
    // runs the event loop) takes over and ends the script as a fatal error does.
    EG(current_execute_data) = caller;
    return TEventOutcome::Fatal;
  }
  if (ops) {
    zend_destroy_static_vars(ops);
    destroy_op_array(ops);
    efree_size(ops, sizeof(zend_op_array));
  }
  zend_string_release(source);
  return exited ? TEventOutcome::Exit : TEventOutcome::Done;
}

}  // namespace zemblo
