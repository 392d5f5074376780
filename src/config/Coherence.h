// Consistency rules: bring any content of Config and Setup (a loaded file,
// a dialog's edits, a zoom step) back into the ranges the program expects.
#pragma once

// The whole pass: defaults when the version is not the current one, then
// every rule below. Never fails.
void COHERENCE_CONFIGURATION();

// The same pass without the window rule: Config alone, Setup untouched. For
// callers that may run while a display pass reads Setup (the window then
// reaches Setup only through the main window's recomputation).
void COHERENCE_CONFIG_SEULE();

// Every colour opaque; no trace or text in the background colour.
void COHER_COULEUR();

// Every channel range sanitised, with BorneMax above BorneMin.
void COHER_RANGE();

// The displayed window kept inside the recording, at least 1e-8 wide.
void COHER_SETUP();

// Not finite: +1.0; magnitude above 1e20: 1e20; below 1e-20: 0. Sign kept.
// The float form computes in double and stores the result as float.
// Null pointers are ignored. The value forms serve fields of the packed
// records, whose address may not be taken.
void COHER_FLOAT(float* f);
void COHER_DOUBLE(double* d);
float COHER_FLOAT(float f);
double COHER_DOUBLE(double d);
