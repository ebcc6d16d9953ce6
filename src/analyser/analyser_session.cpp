// The run's analyser session: see analyser_session.h.
#include "analyser/analyser_session.h"

std::string analyser_session::next_unnamed_namespace_name()
{
    ++unnamed_namespaces;
    return "morva_unnamed_namespace_" + std::to_string(unnamed_namespaces);
}

analyser_session& process_session()
{
    static analyser_session session;
    return session;
}
