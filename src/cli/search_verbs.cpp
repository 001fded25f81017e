#include "cli/verbs.h"

namespace tollamar::cli {

// The search verb arrives with the search run.
QList<Verb> SearchVerbs() { return {}; }

}  // namespace tollamar::cli
