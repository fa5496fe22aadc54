#pragma once

// The spreadsheet application stand-in: applications, workbooks, worksheets and cells.
#include "platform/spreadsheet/save_changes_question.h"
#include "platform/spreadsheet/spreadsheet_applications.h"
#include "platform/spreadsheet/spreadsheet_objects.h"
