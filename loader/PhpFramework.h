// The module "zemblo": the native functions under the framework's PHP classes
// (Framework.php). They work on the runtime's windows by handle and turn the runtime's
// errors into PHP exceptions.
#pragma once

#include <sapi/embed/php_embed.h>

namespace zemblo {

class TRunLog;
class TRuntime;

zend_module_entry& FrameworkModule();
// The log and the runtime the functions use; null for both once the host is gone.
void BindFramework(TRunLog* log, TRuntime* runtime);

}  // namespace zemblo
