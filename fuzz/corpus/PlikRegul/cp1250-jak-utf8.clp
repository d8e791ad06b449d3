(deffacts d (uwaga PӣROCZE))
