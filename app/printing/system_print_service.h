#pragma once

#include <memory>

#include "print_service.h"

// The print service of the system the program was built for.
std::unique_ptr<PrintService> MakeSystemPrintService();
