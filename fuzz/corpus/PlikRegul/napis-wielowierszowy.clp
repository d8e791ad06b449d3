(deffacts d (uwaga "a
;b\"" ;c
))
