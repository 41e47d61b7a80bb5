#pragma once

// Tuning of a connection. The direct driver answers synchronously, so the
// interval only documents what callers ask for.
class QSparqlConnectionOptions
{
public:
    void setDataReadyInterval(int interval) { m_dataReadyInterval = interval; }
    int dataReadyInterval() const { return m_dataReadyInterval; }

private:
    int m_dataReadyInterval = 1;
};
