#pragma once

#include <string>

namespace quadrello::platform {

// Tells Qt (QCoreApplication) the organisation and application names of the program, the
// vendor and the product. The user record and the user's settings folder are named after them:
// call it first in main(), before anything reads them.
void SetApplicationNames();

// The names Qt was told, as UTF-8.
std::string OrganizationName();
std::string ApplicationName();

}  // namespace quadrello::platform
