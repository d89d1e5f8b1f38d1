#pragma once

#include "app/cli.h"

// `tallywick import FILE --unit NAME [options]`: a bank statement into one
// unit, through the same rules, duplicate check and all-or-nothing writer as
// the import dialog.
CCliCommand ImportCliCommand();
