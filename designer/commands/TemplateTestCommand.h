// Saving the template and testing how it loads: after the report wizard and
// from the database menu's test command.
#pragma once

#include "base/CString.h"

struct CDesignerContext;

extern const char* const kTestTemplatePrompt;
extern const char* const kWizardTestTemplatePrompt;

// Asks (caption "保存", Yes/No) whether to save now; on Yes asks for a path,
// keeps the chosen full path as the view's file path, saves the template
// there and shows the load test for that file. A failed save is not
// reported here: the load test then shows that the file did not load.
void SaveAndTestTemplate(CDesignerContext& ctx, const char* prompt);
