#pragma once
// The lookups of other subsystems that the inventory windows open: the
// supplier lookup (purchasing), the customer lookup (customers) and the sale
// screen's folder prompt (point of sale). Those subsystems lie above this
// one, so the program body joins them once (src/app/Vorlan.cpp); until then
// the keys that open them do nothing and the commands that need them are
// disabled.

#include <QString>

#include <functional>

// Starts from `inicial`; answers the chosen key, "" when the user refused.
using ConsultaProveedores = std::function<QString(const QString& inicial)>;
// Starts from `inicial`, with the user number for its own right tests;
// answers the chosen key, `inicial` when the user refused.
using ConsultaClientes = std::function<QString(const QString& inicial, const QString& usuario)>;

// The sale screen's register dialog showing only its folder box "Ruta de
// Formato" and its two buttons, the box starting with `carpeta`: true when
// accepted, `carpeta` then holding the folder typed; false, `carpeta`
// untouched, when cancelled.
using PreguntaCarpeta = std::function<bool(QString& carpeta)>;

void UnePreguntaCarpeta(PreguntaCarpeta pregunta);
const PreguntaCarpeta& PreguntaCarpetaCaja();

void UneConsultaProveedores(ConsultaProveedores consulta);
void UneConsultaClientes(ConsultaClientes consulta);
// The lookups joined (empty functions before).
const ConsultaProveedores& ConsultaProveedor();
const ConsultaClientes& ConsultaCliente();
