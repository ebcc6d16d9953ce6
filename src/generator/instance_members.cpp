// The analysis of an instance's member declarations with empty bodies needs
// the analyser's nested instance analysis (bindings and saved state); until
// the analyser offers it, an instance keeps the definition flags its own
// analysis gave (members written with bodies in the template count).
#include "generator/instance_members.h"

#include "generator/analysis_context.h"

void analyse_instance_member_bodies(analysis_context& context, type_node* instance)
{
    (void)context;
    (void)instance;
}
