#pragma once
// Shared by the table-layer tests: a fresh data folder, a sample table, raw
// file bytes.

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/ErrorPrueba.h"
#include "support/RaizPrueba.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>


inline const QString kDatos = QStringLiteral("C:\\DATOS");

class PruebaTabla : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    fs::CreaCarpeta(kDatos);
    fs::FijaAhora(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
  }

  static std::unique_ptr<db::Tabla> Abre(const QString& nombre, bool exclusiva = false, bool soloLectura = false) {
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(kDatos);
    t->SetNombreTabla(nombre);
    t->SetExclusive(exclusiva);
    t->SetReadOnly(soloLectura);
    t->Open();
    return t;
  }

  static QByteArray Bytes(const QString& archivo) { return fs::LeeBytes(fs::Une(kDatos, archivo)); }
  // Writes a file's bytes as they are (no sync: tests write many).
  static void Escribe(const QString& archivo, const QByteArray& b) {
    QFile f(fs::Local(fs::Une(kDatos, archivo)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(b);
  }

  // CLIENTES.DBF: NOMBRE C20, NUMERO N6, SALDO N10.2, ALTA D, ACTIVO L.
  static void CreaClientes() {
    db::Tabla::Crea(kDatos, QStringLiteral("CLIENTES.DBF"),
                    {{"NOMBRE", 'C', 20, 0}, {"NUMERO", 'N', 6, 0}, {"SALDO", 'N', 10, 2}, {"ALTA", 'D', 8, 0},
                     {"ACTIVO", 'L', 1, 0}});
  }

  // Appends rows of (name, number) to an open table.
  static void Agrega(db::Tabla& t, const QList<std::pair<QString, int>>& filas) {
    for (const auto& [nombre, numero] : filas) {
      t.Append();
      t.FieldByName("NOMBRE").SetAsString(nombre);
      t.FieldByName("NUMERO").SetAsInteger(numero);
      t.Post();
    }
  }

  // The values of one field over the rows, from the first.
  static QStringList Columna(db::Tabla& t, const QString& campo) {
    QStringList r;
    for (t.First(); !t.Eof(); t.Next()) r << t.FieldByName(campo).AsString();
    return r;
  }
};
