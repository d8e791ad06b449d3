(deffacts d (uwaga ¿))
(deffacts e (uwaga Å¼))
