// The core's refusals in English: the core keeps a reason code beside each Korean text it gives
// the window, and the command line says each code in a sentence of its own.
#pragma once

#include <string>

#include "sprite/reason.h"

// The sentence for a refusal of the file `path` ("no such file" rather than "cannot be opened"
// when it is not there). Codes without a sentence of their own (Reason::kOther) give the core's
// text, made UTF-8.
std::string ReasonText(Reason reason, const char* coreText, const std::string& path);

// "PATH: SENTENCE" (just the sentence when `path` is empty).
std::string RefusalText(Reason reason, const char* coreText, const std::string& path = std::string());

// The sentence alone, or empty for a code without one.
std::string ReasonSentence(Reason reason);
