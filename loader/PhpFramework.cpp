#include "PhpFramework.h"

#include <zend_exceptions.h>

#include <exception>
#include <string>
#include <string_view>

#include "RunLog.h"
#include "Runtime.h"

namespace {

using zemblo::TEventOutcome;

zemblo::TRunLog* g_log = nullptr;
zemblo::TRuntime* g_runtime = nullptr;

std::string_view View(const zend_string* s) { return std::string_view(ZSTR_VAL(s), ZSTR_LEN(s)); }

// Raises the framework's Win32Error (Exception before the framework is loaded). It is made
// through its constructor, which points it at the program's line rather than the framework's.
void ThrowError(const std::string& message) {
  zend_string* name = zend_string_init("Win32Error", sizeof "Win32Error" - 1, 0);
  zend_class_entry* ce = zend_lookup_class(name);
  zend_string_release(name);
  if (!ce || !ce->constructor) {
    zend_throw_exception(zend_ce_exception, message.c_str(), 0);
    return;
  }
  zval error, text;
  object_init_ex(&error, ce);
  ZVAL_STRINGL(&text, message.data(), message.size());
  zend_call_known_instance_method_with_1_params(ce->constructor, Z_OBJ(error), nullptr, &text);
  zval_ptr_dtor(&text);
  if (EG(exception)) {  // the constructor itself failed; that is the error to report
    zval_ptr_dtor(&error);
    return;
  }
  zend_throw_exception_object(&error);
}

// Runs `call` on the runtime; a C++ error becomes a PHP exception (and false). No C++
// exception may cross into the interpreter.
template <class F>
bool Guard(F&& call) {
  std::string message;
  try {
    if (!g_runtime) throw zemblo::ERuntimeError("The program is ending.");
    call();
    return true;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "An unexpected error in the window runtime.";
  }
  ThrowError(message);
  return false;
}

// After an event loop: a handler that ended the run ends the script too, from here, as a
// fatal error or exit() in the script itself would. Nothing with a destructor is alive in
// the native functions that call this.
void EndIfStopped() {
  if (!g_runtime) return;
  switch (g_runtime->Stopped()) {
    case TEventOutcome::Fatal:
      zend_bailout();
      break;
    case TEventOutcome::Exit:
      zend_throw_unwind_exit();
      break;
    case TEventOutcome::Done:
      break;
  }
}

}  // namespace

// zemblo_log(string $text): void — one line of the program's own in the run log.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_log, 0, 1, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, text, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_log) {
  zend_string* text;
  ZEND_PARSE_PARAMETERS_START(1, 1)
  Z_PARAM_STR(text)
  ZEND_PARSE_PARAMETERS_END();
  if (g_log) g_log->Line(View(text));
}

// zemblo_window_open(string $id): int — a window built from the WINDOW element with that
// id; 0 when there is none.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_window_open, 0, 1, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, id, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_window_open) {
  zend_string* id;
  ZEND_PARSE_PARAMETERS_START(1, 1)
  Z_PARAM_STR(id)
  ZEND_PARSE_PARAMETERS_END();
  zend_long handle = 0;
  if (!Guard([&] { handle = g_runtime->OpenWindow(View(id)); })) RETURN_THROWS();
  RETURN_LONG(handle);
}

// zemblo_window_free(int $window): void
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_window_free, 0, 1, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_window_free) {
  zend_long window;
  ZEND_PARSE_PARAMETERS_START(1, 1)
  Z_PARAM_LONG(window)
  ZEND_PARSE_PARAMETERS_END();
  // Destructors run at shutdown too, when the runtime may be gone.
  if (g_runtime) Guard([&] { g_runtime->FreeWindow(static_cast<int>(window)); });
}

// zemblo_control(int $window, string $id): int — the control's place, -1 when none.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_control, 0, 2, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, id, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_control) {
  zend_long window;
  zend_string* id;
  ZEND_PARSE_PARAMETERS_START(2, 2)
  Z_PARAM_LONG(window)
  Z_PARAM_STR(id)
  ZEND_PARSE_PARAMETERS_END();
  zend_long place = -1;
  if (!Guard([&] { place = g_runtime->FindControl(static_cast<int>(window), View(id)); })) RETURN_THROWS();
  RETURN_LONG(place);
}

// zemblo_get(int $window, int $control, string $name): string — $control -1 is the window.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_get, 0, 3, IS_STRING, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, control, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, name, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_get) {
  zend_long window, control;
  zend_string* name;
  ZEND_PARSE_PARAMETERS_START(3, 3)
  Z_PARAM_LONG(window)
  Z_PARAM_LONG(control)
  Z_PARAM_STR(name)
  ZEND_PARSE_PARAMETERS_END();
  std::string value;
  if (!Guard([&] { value = g_runtime->Get(static_cast<int>(window), static_cast<int>(control), View(name)); }))
    RETURN_THROWS();
  RETURN_STRINGL(value.data(), value.size());
}

// zemblo_set(int $window, int $control, string $name, string $value): void
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_set, 0, 4, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, control, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, name, IS_STRING, 0)
ZEND_ARG_TYPE_INFO(0, value, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_set) {
  zend_long window, control;
  zend_string *name, *value;
  ZEND_PARSE_PARAMETERS_START(4, 4)
  Z_PARAM_LONG(window)
  Z_PARAM_LONG(control)
  Z_PARAM_STR(name)
  Z_PARAM_STR(value)
  ZEND_PARSE_PARAMETERS_END();
  if (!Guard([&] { g_runtime->Set(static_cast<int>(window), static_cast<int>(control), View(name), View(value)); }))
    RETURN_THROWS();
}

// zemblo_show(int $window, bool $modal): void — a modal window returns once it is hidden.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_show, 0, 2, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_ARG_TYPE_INFO(0, modal, _IS_BOOL, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_show) {
  zend_long window;
  bool modal;
  ZEND_PARSE_PARAMETERS_START(2, 2)
  Z_PARAM_LONG(window)
  Z_PARAM_BOOL(modal)
  ZEND_PARSE_PARAMETERS_END();
  bool ok = Guard([&] {
    if (modal) g_runtime->ShowModal(static_cast<int>(window));
    else g_runtime->Show(static_cast<int>(window));
  });
  if (!ok) RETURN_THROWS();
  EndIfStopped();
}

// zemblo_hide(int $window): void
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_hide, 0, 1, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_hide) {
  zend_long window;
  ZEND_PARSE_PARAMETERS_START(1, 1)
  Z_PARAM_LONG(window)
  ZEND_PARSE_PARAMETERS_END();
  if (!Guard([&] { g_runtime->Hide(static_cast<int>(window)); })) RETURN_THROWS();
}

// zemblo_visible(int $window): bool
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_visible, 0, 1, _IS_BOOL, 0)
ZEND_ARG_TYPE_INFO(0, window, IS_LONG, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_visible) {
  zend_long window;
  ZEND_PARSE_PARAMETERS_START(1, 1)
  Z_PARAM_LONG(window)
  ZEND_PARSE_PARAMETERS_END();
  RETURN_BOOL(g_runtime && g_runtime->Visible(static_cast<int>(window)));
}

// zemblo_run(): void — the event loop, until no window is shown or zemblo_quit().
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_none, 0, 0, IS_VOID, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_run) {
  ZEND_PARSE_PARAMETERS_NONE();
  if (!Guard([] { g_runtime->Run(); })) RETURN_THROWS();
  EndIfStopped();
}

// zemblo_quit(): void
PHP_FUNCTION(zemblo_quit) {
  ZEND_PARSE_PARAMETERS_NONE();
  if (!Guard([] { g_runtime->Quit(); })) RETURN_THROWS();
}

// zemblo_msgbox(string $text, string $caption): void
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_msgbox, 0, 2, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, text, IS_STRING, 0)
ZEND_ARG_TYPE_INFO(0, caption, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_msgbox) {
  zend_string *text, *caption;
  ZEND_PARSE_PARAMETERS_START(2, 2)
  Z_PARAM_STR(text)
  Z_PARAM_STR(caption)
  ZEND_PARSE_PARAMETERS_END();
  if (!Guard([&] { g_runtime->MsgBox(View(text), View(caption)); })) RETURN_THROWS();
  EndIfStopped();
}

// zemblo_event_window(): int — the window whose control raised the event being handled, or 0.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_event_window, 0, 0, IS_LONG, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_event_window) {
  ZEND_PARSE_PARAMETERS_NONE();
  RETURN_LONG(g_runtime ? g_runtime->EventWindow() : 0);
}

namespace {

const zend_function_entry kFrameworkFunctions[] = {
    PHP_FE(zemblo_log, arginfo_zemblo_log)
    PHP_FE(zemblo_window_open, arginfo_zemblo_window_open)
    PHP_FE(zemblo_window_free, arginfo_zemblo_window_free)
    PHP_FE(zemblo_control, arginfo_zemblo_control)
    PHP_FE(zemblo_get, arginfo_zemblo_get)
    PHP_FE(zemblo_set, arginfo_zemblo_set)
    PHP_FE(zemblo_show, arginfo_zemblo_show)
    PHP_FE(zemblo_hide, arginfo_zemblo_hide)
    PHP_FE(zemblo_visible, arginfo_zemblo_visible)
    PHP_FE(zemblo_run, arginfo_zemblo_none)
    PHP_FE(zemblo_quit, arginfo_zemblo_none)
    PHP_FE(zemblo_msgbox, arginfo_zemblo_msgbox)
    PHP_FE(zemblo_event_window, arginfo_zemblo_event_window)
    PHP_FE_END};

zend_module_entry g_module = {
    STANDARD_MODULE_HEADER,
    "zemblo",
    kFrameworkFunctions,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    "1.0",
    STANDARD_MODULE_PROPERTIES};

}  // namespace

namespace zemblo {

zend_module_entry& FrameworkModule() { return g_module; }

void BindFramework(TRunLog* log, TRuntime* runtime) {
  g_log = log;
  g_runtime = runtime;
}

}  // namespace zemblo
