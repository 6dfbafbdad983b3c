#pragma once
// "orvanel links TOPPAGE [--json] [--any-form]": the site reachable from a top page, scanned
// as the project manager scans it, printed as its tree: each page once, nearest to the top
// first, with its references (display text, kind, path, and the problem when there is
// one); then every broken reference and missing fragment with the page it stands in and the
// reference as written. With --json the same in JSON.
// --any-form takes references with the tolerant tokenizer instead of the exact forms.
// Status 0 when nothing is broken, 1 when something is (or a page cannot be read), 2 on
// bad arguments or a top page that cannot be read.

#include "app/CommandLine.h"

namespace orvanel {

int runLinksVerb(VerbContext& context);

} // namespace orvanel
