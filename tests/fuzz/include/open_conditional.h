#if 1
int inside_an_unterminated_group;
