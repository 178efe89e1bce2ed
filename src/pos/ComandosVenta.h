#pragma once
// Commands of higher subsystems on the sale screen's menu. The sale screen
// lives below the subsystems that own most of its Generar and Reportes
// commands (derived documents, sales reports); each of them joins once, at
// the program's start, with a routine that attaches its commands to a new
// screen through TFormaCapturaRapida::AsignaComando. Every screen made after
// that runs every joined routine while it is being built, so an item whose
// subsystem never joined stays without a command, disabled.

#include <QString>

#include <functional>

class TFormaCapturaRapida;

using InstalaComandosVenta = std::function<void(TFormaCapturaRapida& pantalla)>;

// Joins (or, under a name already joined, replaces) the routine.
void UneComandosVenta(const QString& nombre, InstalaComandosVenta instala);
// Runs every joined routine on the screen, in the order they joined.
void InstalaComandosUnidos(TFormaCapturaRapida& pantalla);
