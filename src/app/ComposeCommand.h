#pragma once
// "orvanel compose PANEL [NAME=VALUE ...]": the shipped button tag list and the TagFace
// setting read, the panel composed without a window (tagdialog/ComposeVerb), the tag printed.

#include "app/CommandLine.h"

namespace orvanel {

// Bad arguments: one line on standard error, status 2; a data file that cannot be read: its
// message, status 1.
int runComposeVerb(VerbContext& context);

} // namespace orvanel
