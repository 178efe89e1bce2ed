#pragma once
// The files the program folder ships with (help topics, help records,
// formats, templates ...). They live in assets/programa of the sources and
// are built into the program, so the program can lay them out in any
// program folder it is given.

#include <QStringList>

// Copies every shipped file into the program folder where it is missing
// (names matched without regard to case), creating its folders; files
// already there are left as they are, since the installation may have
// changed them. Returns the Windows-form paths written. Input/output errors
// reach the caller.
QStringList InstalaArchivosPrograma();
