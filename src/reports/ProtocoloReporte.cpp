#include "reports/ProtocoloReporte.h"

QString CarpetaProgramaReportes;
double TasaImpuestoReporte = 0;
double TasaIepsReporte = 0;

CondicionesReporte& CondicionesDialogoReporte() {
  static CondicionesReporte condiciones;
  return condiciones;
}

void FijaCondicionesReporte(const QString& campo1, const QString& codigo1, const QString& valor1,
                            const QString& tipo1, const QString& campo2, const QString& codigo2,
                            const QString& valor2, const QString& tipo2, const QString& campo3,
                            const QString& codigo3, const QString& valor3, const QString& tipo3,
                            const QString& conector) {
  constexpr int kAncho = 15;
  const auto condicion = [](const QString& campo, const QString& codigo, const QString& valor, const QString& tipo) {
    return CondicionReporte{campo, codigo.left(1), valor.left(kAncho), tipo.left(kAncho)};
  };
  CondicionesDialogoReporte() = {{condicion(campo1, codigo1, valor1, tipo1), condicion(campo2, codigo2, valor2, tipo2),
                                  condicion(campo3, codigo3, valor3, tipo3)},
                                 conector.left(1)};
}
