#pragma once
// The lookups of other subsystems that the inventory windows open: the
// supplier lookup (purchasing) and the customer lookup (customers). Those
// subsystems lie above this one, so the program body joins the lookups once
// (src/app/Vorlan.cpp); until then the keys that open them do nothing.

#include <QString>

#include <functional>

// Starts from `inicial`; answers the chosen key, "" when the user refused.
using ConsultaProveedores = std::function<QString(const QString& inicial)>;
// Starts from `inicial`, with the user number for its own right tests;
// answers the chosen key, `inicial` when the user refused.
using ConsultaClientes = std::function<QString(const QString& inicial, const QString& usuario)>;

void UneConsultaProveedores(ConsultaProveedores consulta);
void UneConsultaClientes(ConsultaClientes consulta);
// The lookups joined (empty functions before).
const ConsultaProveedores& ConsultaProveedor();
const ConsultaClientes& ConsultaCliente();
