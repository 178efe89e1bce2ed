#pragma once
// The one clock for "now". Dates, control numbers, log lines and folios all
// read it, so tests can set it. A child process started by a test can be
// given the time through $VORLAN_AHORA ("yyyy-MM-ddTHH:mm:ss.zzz").

#include <QDateTime>

namespace fs {

QDateTime Ahora();
QDate Hoy();
// Fixes "now" until Libera(); the clock then stands still at that moment.
void FijaAhora(const QDateTime& momento);
void LiberaReloj();

}  // namespace fs
