#pragma once

// The tables' rows are written by the core, which the experiment sessions share.
#include "engine/csv_row.h"
