#include "PhpHost.h"

#include <sapi/embed/php_embed.h>
#include <zend_exceptions.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "RunLog.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "project/KXProject.h"
#include "window/XML.h"

namespace zemblo {
void RegisterResources_loader();
}

namespace {

using zemblo::TXMLNode;

// PHP calls back through plain functions; they reach the one host's log and project here.
zemblo::TRunLog* g_log = nullptr;
zemblo::TKXProject* g_project = nullptr;

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

// ---------------------------------------------------------------- the module "zemblo"

// zemblo_log(string $text): void — one line of the program's own in the run log.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_zemblo_log, 0, 1, IS_VOID, 0)
ZEND_ARG_TYPE_INFO(0, text, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_log) {
  char* text = nullptr;
  size_t length = 0;
  if (zend_parse_parameters(ZEND_NUM_ARGS(), "s", &text, &length) == FAILURE) RETURN_THROWS();
  if (g_log) g_log->Line(std::string_view(text, length));
}

// Attributes under lower-case names; the first of two names that differ only in case wins,
// as it does for the designer.
void AddAttributes(zval* array, const TXMLNode& node) {
  for (const auto& a : node.Attributes) {
    std::string key = zemblo::LowerCase(a.Name);
    if (zend_hash_str_exists(Z_ARRVAL_P(array), key.data(), key.size())) continue;
    add_assoc_stringl_ex(array, key.data(), key.size(), a.Value.data(), a.Value.size());
  }
}

// zemblo_window(string $id): array|false — the WINDOW element of the project's resource file
// with that id (letter case ignored): ['attributes' => [...], 'controls' => [[...], ...]],
// the controls in document order, nested ones after their container.
ZEND_BEGIN_ARG_WITH_RETURN_TYPE_MASK_EX(arginfo_zemblo_window, 0, 1, MAY_BE_ARRAY | MAY_BE_FALSE)
ZEND_ARG_TYPE_INFO(0, id, IS_STRING, 0)
ZEND_END_ARG_INFO()

PHP_FUNCTION(zemblo_window) {
  char* id = nullptr;
  size_t length = 0;
  if (zend_parse_parameters(ZEND_NUM_ARGS(), "s", &id, &length) == FAILURE) RETURN_THROWS();
  const TXMLNode* window = nullptr;
  if (g_project && g_project->XML.Root) window = g_project->XML.Root->FindChild("WINDOW", std::string_view(id, length));
  if (!window) RETURN_FALSE;

  array_init(return_value);
  zval attributes, controls;
  array_init(&attributes);
  AddAttributes(&attributes, *window);
  add_assoc_zval(return_value, "attributes", &attributes);
  array_init(&controls);
  std::vector<const TXMLNode*> pending;
  for (auto it = window->Children.rbegin(); it != window->Children.rend(); ++it) pending.push_back(it->get());
  while (!pending.empty()) {
    const TXMLNode* node = pending.back();
    pending.pop_back();
    if (!zemblo::SameText(node->Name, "CONTROL")) continue;
    zval control;
    array_init(&control);
    AddAttributes(&control, *node);
    add_next_index_zval(&controls, &control);
    for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) pending.push_back(it->get());
  }
  add_assoc_zval(return_value, "controls", &controls);
}

const zend_function_entry kFrameworkFunctions[] = {
    PHP_FE(zemblo_log, arginfo_zemblo_log)
    PHP_FE(zemblo_window, arginfo_zemblo_window)
    PHP_FE_END};

zend_module_entry g_frameworkModule = {
    STANDARD_MODULE_HEADER,
    "zemblo",
    kFrameworkFunctions,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    "1.0",
    STANDARD_MODULE_PROPERTIES};

// php_embed_init replaces additional_functions, so the module comes in through startup.
int StartWithFramework(sapi_module_struct* sapi) { return php_module_startup(sapi, &g_frameworkModule); }

void SetIni(const char* name, const char* value) {
  zend_string* key = zend_string_init(name, std::strlen(name), 0);
  zend_alter_ini_entry_chars(key, value, std::strlen(value), PHP_INI_SYSTEM, PHP_INI_STAGE_RUNTIME);
  zend_string_release(key);
}

}  // namespace

namespace zemblo {

TPhpHost::TPhpHost(TRunLog& log, TKXProject& project) {
  g_log = &log;
  g_project = &project;
}

TPhpHost::~TPhpHost() {
  if (started_) php_embed_shutdown();
  g_log = nullptr;
  g_project = nullptr;
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

  // Fatal errors and exit() leave by a long jump: nothing with a destructor may live inside.
  int status = 0;
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
  status = EG(exit_status);
  zend_destroy_file_handle(&script);
  return status;
}

}  // namespace zemblo
