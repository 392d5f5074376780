// Subcommands of the `ombrix` companion. Each receives the arguments from its own
// name on: argv[0] is the subcommand name, argv[1..] its arguments. Returns the exit code.
#pragma once

int CommandeSample(int argc, char** argv);  // ombrix sample DIR
int CommandeInfo(int argc, char** argv);    // ombrix info FILE
int CommandeTable(int argc, char** argv);   // ombrix table FILE [--start F] [--width F] [--undersample US]
int CommandeRender(int argc, char** argv);  // ombrix render FILE -o OUT.png [options]
int CommandeMeasure(int argc, char** argv); // ombrix measure FILE [--start F] [--width F]
int CommandeJoin(int argc, char** argv);    // ombrix join FILE... -o OUT.rec
