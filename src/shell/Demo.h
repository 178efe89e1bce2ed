#pragma once
// The demonstration company that ./run.sh starts on.

// Creates the demonstration company under the root when the root has no
// start file; an existing root is never touched. Returns true when it created
// something.
bool PreparaEmpresaDemo();
