/* A library that is not a Layout module: it exports no descriptor. */
int not_a_module(void) { return 0; }
