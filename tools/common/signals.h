// The signals that end a tool (SIGINT from Ctrl-C, SIGTERM, SIGHUP), handled as
// the shell expects: whatever the tool does first, it dies of the signal in the
// end, so that a loop in a script stops as it would for any other command. A
// signal ignored when the tool starts (nohup's SIGHUP) stays ignored.
#pragma once

// A tool that has nothing to finish: on the signal, the temporaries of
// tools/common/whole_file are removed and the tool dies of the signal.
void alSenalTerminarYa();
// A tool that finishes its work first: the first signal is only noted
// (senalRecibida); a second one stops at once as alSenalTerminarYa does, after
// calling detener (which must be safe in a signal handler), if given.
void alSenalTerminarLuego(void (*detener)());
// The signal noted, 0 while there is none.
int senalRecibida();
// Dies of the signal: its default action restored, the signal raised again.
[[noreturn]] void morirPorSenal(int senal);
