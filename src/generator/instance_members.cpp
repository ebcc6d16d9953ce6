// The analyser re-reads the template's member declarations with empty
// bodies under the instance's bindings; the position given is the
// template's own, so that a message about that text points into it.
#include "generator/instance_members.h"

#include "analyser/template_instance.h"
#include "analyser/type_model.h"
#include "diag/report.h"
#include "generator/analysis_context.h"

void analyse_instance_member_bodies(analysis_context& context, type_node* instance)
{
    const type_node* origin = instance ? instance->template_origin : nullptr;
    const template_payload* t = origin ? origin->template_data() : nullptr;
    if (!t)
        return;
    analyse_instance_members(context.scopes, instance, t->file, static_cast<int>(t->line), report_with_position);
}
