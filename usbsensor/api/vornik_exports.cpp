// C exports of vornik_api; each takes the library lock and forwards to the API object.
#include <QtGlobal>
