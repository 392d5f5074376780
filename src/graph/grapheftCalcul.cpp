// Measurement results of the time display. The measurements themselves are not
// computed yet, so there is nothing to draw; the trace drawing already calls
// this at the place where the results go.
#include "graph/grapheft.h"

void grapheft::AFF_CALCUL() {}
