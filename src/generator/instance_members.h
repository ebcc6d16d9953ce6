// The member functions of a class template instance, made definitions so
// that the instance's services can be written: the template's member
// function declarations are analysed again under the instance's argument
// bindings, each with an empty body.
#pragma once

struct analysis_context;
struct type_node;

// Re-analyses in context the member function declarations of the template
// of instance, each with "{ } " appended. Does nothing for another type.
void analyse_instance_member_bodies(analysis_context& context, type_node* instance);
